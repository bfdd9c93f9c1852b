#include "Fakes.h"
#include "compose/EntryOrder.h"
#include "compose/PageFiller.h"
#include "support/TestSupport.h"

#include <QScopeGuard>
#include <gtest/gtest.h>

using namespace pagula::compose;
using namespace pagula::compose::test;
using pagula::joblist::BlankMarker;

namespace
{

const QString FillerPath = QStringLiteral("/f/Pagula-tmp.bmp");

QStringList numbered(int count)
{
    QStringList l;
    for (int k = 1; k <= count; ++k)
        l << QStringLiteral("/p/%1.jpg0").arg(k);
    return l;
}

struct Walk {
    FakeSettings settings;
    FakeEvents events;
    RecordingBuilder builder;
    std::atomic<bool> cancel{false};
    int lookAhead = 1;
    int cellNumber = 0; // after the walk

    // Entries as written in the job list file.
    QString run(const QStringList& texts, bool backSide = false)
    {
        lastEntries.clear();
        for (const QString& t : texts)
            lastEntries.append(pagula::joblist::JobEntry::fromText(t));
        builder.beginDocument({});
        SettingsChannel channel(settings.value());
        events.settings = &settings;
        events.channel = &channel;
        Session session{builder,         SettingsView(settings.value(), &channel),
                        events,          cancel,
                        fakePicture,     lookAhead,
                        {FillerPath, 0}, fakePicture({FillerPath, {}, {}, {}}),
                        {7, 10, 7, 20},  1};
        const auto recordCellNumber = qScopeGuard([&] { cellNumber = session.cellNumber; });
        fillPages(session, lastEntries, backSide);
        return builder.dump(builder.docs.size() - 1, FillerPath);
    }
    pagula::joblist::JobEntries lastEntries;
};

} // namespace

TEST(FillPages, GridRowsEdgesAndMarks)
{
    const struct {
        const char* name;
        int count, columns, rows, gutter;
        GutterSide side;
        double cellW, cellH;
        const char* expected;
    } cases[] = {
        {"7 entries, no gutter", 7, 3, 3, 0, GutterSide::Left, 64.3, 90.0,
         "1:tl 2:tl 3:tlr | 4:tl 5:tlb 6:tlbr | 7:tlbr"},
        {"10 entries: last row of the page and last three of the side", 10, 3, 3, 0,
         GutterSide::Top, 64.3, 90.0,
         "1:tl 2:tl 3:tlr | 4:tl 5:tl 6:tlr | 7:tlb 8:tlb 9:tlbr | 10:tlbr"},
        {"top gutter, 5 entries", 5, 3, 3, 6, GutterSide::Top, 64.3, 90.0,
         "F:tl F:tl F:tlr 1:tl 2:tl 3:tlbr | F:tl F:tl F:tlr 4:tlb 5:tlbr"},
        {"bottom gutter, 4 columns, 8 entries", 8, 4, 3, 6, GutterSide::Bottom, 48.25, 90.0,
         "1:tl 2:tl 3:tl 4:tlr F:tl F:tl F:tl F:tlr | "
         "5:tlb 6:tlb 7:tlb 8:tlbr F:lb F:lb F:lb F:lbr |"},
        // Each strip cell takes the bottom rule of the picture above it, so the line under
        // pictures 1 and 2 is drawn although picture 3 is one of the last three.
        // The incomplete last row gets strips under its own cells, on a line of their own.
        {"bottom gutter, 5 entries", 5, 3, 3, 6, GutterSide::Bottom, 64.3, 90.0,
         "1:tl 2:tl 3:tlbr F:tl F:tl F:lbr | 4:tlb 5:tlbr / F:lb F:lbr"},
        {"bottom gutter, one entry in the last row", 4, 3, 3, 6, GutterSide::Bottom, 64.3, 90.0,
         "1:tl 2:tlb 3:tlbr F:tl F:lb F:lbr | 4:tlbr / F:lbr"},
        {"narrow cells, bottom gutter, incomplete row", 5, 3, 3, 6, GutterSide::Bottom, 30.0, 90.0,
         "1:tl 2:tl 3:tlbr / F:tl F:tl F:lbr | 4:tlb 5:tlbr / F:lb F:lbr"},
        {"left gutter", 4, 3, 3, 6, GutterSide::Left, 64.3, 90.0,
         "F:tl 1:tl F:tlb 2:tlb F:tlb 3:tlbr | F:tlb 4:tlbr"},
        {"right gutter", 4, 3, 3, 6, GutterSide::Right, 64.3, 90.0,
         "1:tl F:tl 2:tlb F:tlb 3:tlbr F:tbr | 4:tlbr F:tbr"},
        {"gutter 0 with a side set", 4, 2, 3, 0, GutterSide::Bottom, 96.5, 90.0,
         "1:tl 2:tlr | 3:tlb 4:tlbr |"},
        {"one column", 3, 1, 2, 0, GutterSide::Left, 193.0, 135.0, "1:tlr | 2:tlbr | 3:tlbr |"},
        {"no entries", 0, 3, 3, 6, GutterSide::Top, 64.3, 90.0, ""},
        // Smaller cells: strip rows end with a line break, and a page holds Rows rows.
        {"narrow cells, top gutter", 4, 3, 3, 6, GutterSide::Top, 30.0, 90.0,
         "F:tl F:tl F:tlr / 1:tl 2:tlb 3:tlbr | F:tl F:tl F:tlr / 4:tlbr"},
        {"narrow cells, bottom gutter", 3, 3, 3, 6, GutterSide::Bottom, 30.0, 90.0,
         "1:tlb 2:tlb 3:tlbr / F:lb F:lb F:lbr |"},
        {"low cells", 5, 2, 2, 0, GutterSide::Left, 96.5, 40.0,
         "1:tl 2:tlr | 3:tlb 4:tlbr | # 5:tlbr"},
        {"low cells, top gutter", 3, 1, 2, 6, GutterSide::Top, 193.0, 40.0,
         "F:tlr 1:tlr | F:tlr 2:tlbr | # F:tlr 3:tlbr |"},
    };
    for (const auto& c : cases) {
        Walk w;
        w.settings.cols = c.columns;
        w.settings.rowCount = c.rows;
        w.settings.gutter = c.gutter;
        w.settings.side = c.side;
        w.settings.cellW = c.cellW;
        w.settings.cellH = c.cellH;
        EXPECT_EQ(w.run(numbered(c.count)), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(FillPages, CellSizesTakeTheStripOutOfTheCell)
{
    const struct {
        GutterSide side;
        int gutter;
        float pictureW, pictureH, stripW, stripH;
    } cases[] = {
        {GutterSide::Left, 6, 165.2805f, 255.15f, 17.01f, 255.15f},
        {GutterSide::Right, 6, 165.2805f, 255.15f, 17.01f, 255.15f},
        {GutterSide::Top, 6, 182.2905f, 238.14f, 182.2905f, 17.01f},
        {GutterSide::Bottom, 6, 182.2905f, 238.14f, 182.2905f, 17.01f},
        {GutterSide::Left, 0, 182.2905f, 255.15f, 0, 0},
    };
    for (const auto& c : cases) {
        Walk w;
        w.settings.side = c.side;
        w.settings.gutter = c.gutter;
        w.run(numbered(3));
        for (const auto& p : w.builder.docs.back().cells) {
            const bool filler = p.path == FillerPath;
            EXPECT_FLOAT_EQ(float(p.size.width()), filler ? c.stripW : c.pictureW) << int(c.side);
            EXPECT_FLOAT_EQ(float(p.size.height()), filler ? c.stripH : c.pictureH) << int(c.side);
        }
    }
}

TEST(FillPages, ProgressMaximumAndPositions)
{
    const struct {
        int gutter;
        GutterSide side;
        int count, maximum, cells;
    } cases[] = {
        {6, GutterSide::Left, 7, 14, 14}, {6, GutterSide::Right, 7, 14, 14},
        {6, GutterSide::Top, 7, 14, 16},  {6, GutterSide::Bottom, 7, 14, 14},
        {0, GutterSide::Left, 7, 7, 7},   {0, GutterSide::Top, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Walk w;
        w.settings.gutter = c.gutter;
        w.settings.side = c.side;
        w.run(numbered(c.count));
        EXPECT_EQ(w.events.maximum, c.maximum);
        EXPECT_EQ(w.events.minimum, 0);
        ASSERT_EQ(int(w.events.positions.size()), c.cells + 1);
        EXPECT_EQ(w.events.positions.front(), 0);
        EXPECT_EQ(w.events.positions.back(), c.cells == 0 ? 0 : c.cells + 1);
        EXPECT_EQ(w.cellNumber, c.cells + 1);
    }
}

TEST(FillPages, BlankEntriesBecomeAdjustedUncroppedFillerCells)
{
    Walk w;
    w.settings.gutter = 0;
    w.settings.bright = 30;
    w.settings.profile1 = {10, 10, 10, 10};
    QStringList entries = numbered(2);
    entries.insert(1, BlankMarker + QLatin1Char('1')); // a blank given a crop code
    EXPECT_EQ(w.run(entries), QStringLiteral("1:tlb F:tlb 2:tlbr |"));
    EXPECT_EQ(w.lastEntries.at(1), (pagula::joblist::JobEntry{FillerPath, 0}));
    const auto& blank = w.builder.docs.back().cells.at(1);
    ASSERT_TRUE(blank.adjustments.has_value());
    EXPECT_DOUBLE_EQ(blank.adjustments->brightness, 0.3);
    EXPECT_EQ(blank.adjustments->colorType, pagula::document::ColorType::Greyscale);
    EXPECT_FALSE(blank.crop.has_value());
}

TEST(FillPages, OnlyTheMarkerItselfIsABlank)
{
    // Pictures in a folder, or with a file name, that holds the marker text are pictures.
    Walk w;
    w.settings.gutter = 0;
    const QString folder = QStringLiteral("/p/(пустая страница)/");
    const QStringList entries{folder + QStringLiteral("a.jpg1"), BlankMarker + QLatin1Char('0'),
                              QStringLiteral("/p/x(пустая страница).jpg0"), BlankMarker};
    EXPECT_EQ(w.run(entries), QStringLiteral("a:tl F:tlb x(пустая страница):tlbr | F:tlbr"));
    const auto& cells = w.builder.docs.back().cells;
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].path, folder + QStringLiteral("a.jpg"));
    EXPECT_TRUE(cells[0].crop.has_value());
    EXPECT_EQ(cells[2].path, QStringLiteral("/p/x(пустая страница).jpg"));
    EXPECT_EQ(cells[3].path, FillerPath);
}

TEST(FillPages, CancelCompletesTheEntryInProgress)
{
    const struct {
        int cancelAtCell;
        const char* expected;
    } cases[] = {
        {7, "F:tl 1:tl F:tl 2:tl F:tl 3:tlr | F:tl 4:tl"}, // during entry 4's strip
        {6, "F:tl 1:tl F:tl 2:tl F:tl 3:tlr |"},           // during entry 3: its row end stays
        {1, "F:tl 1:tl"},
    };
    for (const auto& c : cases) {
        Walk w;
        w.events.afterCell = [&] {
            if (w.events.position - 1 == c.cancelAtCell)
                w.cancel = true;
        };
        EXPECT_EQ(w.run(numbered(7)), QString::fromUtf8(c.expected));
    }
}

TEST(FillPages, BackSideMirrorsTheGutterSideWhileItRuns)
{
    Walk w;
    std::vector<size_t> mirroringsSeen;
    w.events.afterCell = [&] { mirroringsSeen.push_back(w.events.mirrorings.size()); };
    EXPECT_EQ(w.run(numbered(2), true), QStringLiteral("1:tlb F:tlb 2:tlbr F:tbr"));
    EXPECT_EQ(mirroringsSeen, std::vector<size_t>(4, 1));
    EXPECT_EQ(w.events.mirrorings, (std::vector<bool>{true, false}));
}

TEST(FillPages, BackSideRestoresTheGutterSideAfterAFailure)
{
    Walk w;
    w.settings.side = GutterSide::Right;
    w.builder.missing << QStringLiteral("/p/2.jpg");
    EXPECT_THROW(w.run(numbered(3), true), pagula::common::Error);
    EXPECT_EQ(w.events.mirrorings, (std::vector<bool>{true, false}));
    EXPECT_EQ(w.builder.dump(0, FillerPath), QStringLiteral("F:tlb 1:tlb F:tlb"));
}

TEST(FillPages, ChangesDuringTheWalkReachTheFollowingEntries)
{
    Walk w;
    w.settings.gutter = 0;
    w.lookAhead = 2;
    w.events.afterCell = [&] {
        if (w.events.position == 3) { // after the second picture
            w.settings.cols = 2;
            w.settings.cellW = 10; // sizes stay as computed at the start
            w.settings.frameOn = false;
            w.settings.bright = 80;
        }
    };
    EXPECT_EQ(w.run(numbered(5)), QStringLiteral("1:tl 2:tl | 3 4 | 5"));
    const auto& cells = w.builder.docs.back().cells;
    for (const auto& p : cells)
        EXPECT_FLOAT_EQ(float(p.size.width()), 182.2905f);
    // Pictures 3 and 4 were asked for, two ahead, before the change and keep what they were
    // prepared with.
    for (size_t k = 0; k < cells.size(); ++k)
        EXPECT_DOUBLE_EQ(cells[k].adjustments->brightness, k < 4 ? 0.5 : 0.8) << k;
}
