#include "joblist/ui/JobListView.h"
#include "common/Error.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListGeometry.h"
#include "joblist/JobListModel.h"
#include "joblist/JobListTestUtil.h"
#include "joblist/ProgramIcons.h"
#include "joblist/ui/JobListDelegate.h"
#include "widgets/ErrorReport.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace pagula::joblist;
using pagula::joblist::test::codes;
using pagula::joblist::test::fill;
using pagula::joblist::test::ticks;

namespace
{

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class JobListViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(300, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void setRows(const QString& codesText, const QString& ticksText = QString())
    {
        fill(model, codesText, ticksText);
        view.doItemsLayout();
        QCoreApplication::processEvents();
    }

    static QPoint rowPoint(int row, int x)
    {
        return QPoint(x, row * JobListGeometry::RowHeight + 8);
    }

    void press(Qt::MouseButton button, const QPoint& at)
    {
        QTest::mousePress(view.viewport(), button, Qt::NoModifier, at);
        QTest::mouseRelease(view.viewport(), button, Qt::NoModifier, at);
    }

    QImage picture()
    {
        QCoreApplication::processEvents();
        return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    JobListModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    JobListView view{&model};
    CropMode mode = CropMode::OneSide;
};

} // namespace

// Presses on the first column: the crop zone is 20 < x < 40 and nothing else.
TEST_F(JobListViewTest, CropZoneBordersAndPreviewRefresh)
{
    const struct {
        int x;
        bool cycles;
    } cases[] = {{20, false}, {21, true}, {30, true}, {39, true}, {40, false}, {100, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        setRows(QStringLiteral("00"));
        QSignalSpy refresh(&view, &JobListView::previewRefreshRequested);
        press(Qt::LeftButton, rowPoint(1, c.x));
        EXPECT_EQ(model.currentRow(), 1);
        EXPECT_EQ(codes(model), c.cycles ? QStringLiteral("01") : QStringLiteral("00"));
        EXPECT_EQ(ticks(model), c.cycles ? QStringLiteral("01") : QStringLiteral("00"));
        EXPECT_EQ(refresh.size(), c.cycles ? 0 : 1);
    }
}

TEST_F(JobListViewTest, TwoSideCyclingByMouse)
{
    view.setCropModeSource([] { return CropMode::TwoSide; });
    setRows(QStringLiteral("01201"));
    press(Qt::LeftButton, rowPoint(0, 30));
    EXPECT_EQ(codes(model), QStringLiteral("12102"));
    // A double click (press, release, double click, release, as widgets get it) is two presses.
    press(Qt::LeftButton, rowPoint(4, 30));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(4, 30));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(4, 30));
    EXPECT_EQ(codes(model), QStringLiteral("12101"));
}

TEST_F(JobListViewTest, PressBelowTheLastRowDoesNothingAtAll)
{
    setRows(QStringLiteral("01"), QStringLiteral("10"));
    model.setCurrentRow(1);
    view.setFocus();
    QCoreApplication::processEvents();
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    QSignalSpy refresh(&view, &JobListView::previewRefreshRequested);
    QSignalSpy changes(&model, &JobListModel::listChanged);
    for (const int x : {5, 30, 100}) {
        press(Qt::LeftButton, rowPoint(5, x));
        press(Qt::RightButton, rowPoint(5, x));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_TRUE(refresh.isEmpty());
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(model.currentRow(), 1);
    EXPECT_EQ(ticks(model), QStringLiteral("10"));
}

TEST_F(JobListViewTest, RightPressCyclesWithoutMovingTheCurrentEntry)
{
    setRows(QStringLiteral("000"));
    model.setCurrentRow(0);
    QSignalSpy refresh(&view, &JobListView::previewRefreshRequested);
    press(Qt::RightButton, rowPoint(2, 25));
    EXPECT_EQ(codes(model), QStringLiteral("001"));
    EXPECT_EQ(ticks(model), QStringLiteral("001"));
    EXPECT_EQ(model.tickedCount(), 1);
    EXPECT_EQ(model.currentRow(), 0);
    // Outside the zone a right press refreshes the preview on the unchanged current entry.
    press(Qt::RightButton, rowPoint(2, 100));
    EXPECT_EQ(refresh.size(), 1);
    EXPECT_EQ(model.currentRow(), 0);
    // A right press never toggles the tick, even on the tick box.
    press(Qt::RightButton, rowPoint(1, 5));
    EXPECT_EQ(ticks(model), QStringLiteral("001"));
}

TEST_F(JobListViewTest, TickBoxTogglesAfterThePreviewRefresh)
{
    setRows(QStringLiteral("000"));
    QList<bool> tickedWhenRefreshed;
    QList<int> currentWhenRefreshed;
    QObject::connect(&view, &JobListView::previewRefreshRequested, [&] {
        tickedWhenRefreshed.append(model.isTicked(1));
        currentWhenRefreshed.append(model.currentRow());
    });
    press(Qt::LeftButton, rowPoint(1, 5));
    EXPECT_EQ(ticks(model), QStringLiteral("010"));
    EXPECT_EQ(model.tickedCount(), 1);
    EXPECT_EQ(tickedWhenRefreshed, QList<bool>{false});
    EXPECT_EQ(currentWhenRefreshed, QList<int>{1});
    press(Qt::LeftButton, rowPoint(1, 14));
    EXPECT_EQ(ticks(model), QStringLiteral("000"));
    EXPECT_EQ(model.tickedCount(), 0);
    // Just right of the tick box: no toggle.
    press(Qt::LeftButton, rowPoint(1, 15));
    EXPECT_EQ(ticks(model), QStringLiteral("000"));
}

TEST_F(JobListViewTest, KeysWhateverTheModifiers)
{
    setRows(QStringLiteral("0120"), QStringLiteral("0010"));
    QSignalSpy refresh(&view, &JobListView::previewRefreshRequested);
    model.setCurrentRow(2);
    const JobEntry third = model.entry(2);
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(model.entry(2), JobEntry::blank());
    EXPECT_EQ(model.currentRow(), 3);
    EXPECT_EQ(model.entry(3), third);
    EXPECT_EQ(view.currentIndex().row(), 3);

    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_FALSE(model.isTicked(3));
    EXPECT_EQ(model.tickedCount(), 0);
    QTest::keyClick(&view, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(model.isTicked(3));
    EXPECT_EQ(model.tickedCount(), 1);
    EXPECT_EQ(view.currentIndex().row(), 3);
    EXPECT_TRUE(view.selectionModel()->isSelected(model.index(3)));

    QTest::keyClick(&view, Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(model.size(), 4);
    EXPECT_EQ(model.tickedCount(), 0);
    EXPECT_EQ(model.currentRow(), 3);
    EXPECT_EQ(view.currentIndex().row(), 3);

    // Arrow keys move the current entry but never refresh the preview.
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_TRUE(refresh.isEmpty());

    // Delete on the last row makes the new last row current; down to an empty list.
    model.setCurrentRow(3);
    for (int left = 3; left >= 0; --left) {
        QTest::keyClick(&view, Qt::Key_Delete);
        EXPECT_EQ(model.size(), left);
        EXPECT_EQ(model.currentRow(), left - 1);
    }
    QTest::keyClick(&view, Qt::Key_Delete); // no current entry: nothing
    QTest::keyClick(&view, Qt::Key_Insert);
    EXPECT_EQ(model.entries(), JobEntries{JobEntry::blank()});
    EXPECT_EQ(model.currentRow(), -1);
}

TEST_F(JobListViewTest, DisplayColumns)
{
    JobEntries many;
    for (int i = 0; i < 40; ++i)
        many.append(JobEntry{QStringLiteral("/p/%1.jpg").arg(i), 0});
    model.replaceEntries(many);
    for (const int n : {2, 3}) {
        SCOPED_TRACE(n);
        view.setDisplayColumns(n);
        view.doItemsLayout();
        QCoreApplication::processEvents();
        // The horizontal scroll bar takes its share of the height.
        const int rowsPerColumn = view.viewport()->height() / JobListGeometry::RowHeight;
        ASSERT_GT(rowsPerColumn, 2);
        EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
        const int columnWidth = (view.width() + n - 3) / n;
        EXPECT_EQ(view.visualRect(model.index(1)).left(), view.visualRect(model.index(0)).left());
        EXPECT_EQ(view.visualRect(model.index(1)).top(), JobListGeometry::RowHeight);
        const QRect secondColumn = view.visualRect(model.index(rowsPerColumn));
        EXPECT_EQ(secondColumn.top(), 0);
        EXPECT_EQ(secondColumn.left() - view.visualRect(model.index(0)).left(), columnWidth);
        EXPECT_EQ(view.visualRect(model.index(0)).width(), columnWidth);
    }
    view.setDisplayColumns(1);
    view.doItemsLayout();
    QCoreApplication::processEvents();
    const int rowsPerColumn = view.viewport()->height() / JobListGeometry::RowHeight;
    EXPECT_FALSE(view.isWrapping());
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    EXPECT_EQ(view.visualRect(model.index(rowsPerColumn)).top(),
              rowsPerColumn * JobListGeometry::RowHeight);
    EXPECT_EQ(view.visualRect(model.index(rowsPerColumn)).left(), 0);
}

// The drawing of rows, checked on pixels: colours, bold aqua for ticked rows, icons 34 and 32,
// the text indent, the tick box.
TEST_F(JobListViewTest, RowsAreDrawnAsDescribed)
{
    setRows(QStringLiteral("0120"), QStringLiteral("0110"));
    model.setCurrentRow(3);
    const QImage img = picture();
    const QColor list = JobListDelegate::ListColour;
    const QPalette::ColorGroup group =
        view.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor highlight = view.palette().color(group, QPalette::Highlight);
    const auto rowTop = [](int row) { return row * JobListGeometry::RowHeight; };
    // Text is antialiased: classify pixels by their mix rather than exact colours. On the blue
    // background red stays 0 under aqua text and rises under white text.
    const auto whiteText = [](const QColor& c) { return c.red() > 150; };
    const auto aquaText = [](const QColor& c) {
        return c.red() < 40 && c.green() > 200 && c.blue() > 220;
    };
    const auto exactly = [](const QColor& colour) {
        return [colour](const QColor& c) { return c == colour; };
    };
    const auto countIn = [&](const QImage& image, int row, int x0, int x1,
                             const std::function<bool(const QColor&)>& is) {
        int n = 0;
        for (int y = rowTop(row); y < rowTop(row) + JobListGeometry::RowHeight; ++y)
            for (int x = x0; x < x1; ++x)
                n += is(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    const auto countColour = [&](int row, int x0, int x1,
                                 const std::function<bool(const QColor&)>& is) {
        return countIn(img, row, x0, x1, is);
    };

    // Background of the item rectangle: the list colour, the selection colour on the current row;
    // the tick box area keeps the list colour on every row.
    EXPECT_EQ(img.pixelColor(img.width() - 3, rowTop(0) + 1), list);
    // (The platform's focus frame may tint the current row faintly.)
    const QColor currentBackground = img.pixelColor(img.width() - 6, rowTop(3) + 8);
    EXPECT_LE(std::abs(currentBackground.red() - highlight.red()) +
                  std::abs(currentBackground.green() - highlight.green()) +
                  std::abs(currentBackground.blue() - highlight.blue()),
              12);
    EXPECT_EQ(img.pixelColor(0, rowTop(3)), list);
    // Below the last row the list colour too.
    EXPECT_EQ(img.pixelColor(100, rowTop(6)), list);

    // Text colours: white on the unticked row, aqua on ticked rows; nothing of the text left of
    // x 33.
    EXPECT_GT(countColour(0, 33, 200, whiteText), 10);
    EXPECT_EQ(countColour(0, 33, 200, aquaText), 0);
    EXPECT_GT(countColour(1, 33, 200, aquaText), 10);
    EXPECT_EQ(countColour(1, 33, 200, whiteText), 0);
    EXPECT_GT(countColour(2, 33, 200, aquaText), 10);
    EXPECT_EQ(countColour(0, 15, 33, exactly(list)), 18 * 16);

    // Icons: 34 for "1", 32 for "2", none for "0", top left at the item rectangle's top left.
    const auto iconMatches = [&](int row, int icon) {
        const QImage& glyph = ProgramIcons::image(icon);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(glyph.pixel(x, y)) == 255 &&
                    img.pixel(15 + x, rowTop(row) + y) != glyph.pixel(x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(iconMatches(1, ProgramIcons::ArrowLeftIcon));
    EXPECT_TRUE(iconMatches(2, ProgramIcons::ArrowRightIcon));
    EXPECT_FALSE(iconMatches(1, ProgramIcons::ArrowRightIcon));

    // Tick box: white square, black check mark only on ticked rows.
    EXPECT_EQ(img.pixelColor(3, rowTop(0) + 3), QColor(Qt::white));
    EXPECT_EQ(countColour(0, 0, 15, exactly(Qt::black)), 0);
    EXPECT_GT(countColour(1, 0, 15, exactly(Qt::black)), 10);

    // A bold row covers more pixels than the same text in regular weight.
    const auto ink = [list](const QColor& c) { return std::abs(c.green() - list.green()) > 60; };
    const int boldInk = countColour(1, 33, 200, ink);
    model.untickAll();
    EXPECT_GT(boldInk, countIn(picture(), 1, 33, 200, ink) + 10);
}

TEST_F(JobListViewTest, SavesAndLoadsThroughThePopupMenu)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    view.setJobListFile(dir.filePath(QStringLiteral("temp.txt")));
    QStringList reports;
    pagula::widgets::ErrorReport::setHook([&](const QString& text) { reports.append(text); });

    QAction* save = view.popupMenu()->findChild<QAction*>(QStringLiteral("saveListAction"));
    QAction* load = view.popupMenu()->findChild<QAction*>(QStringLiteral("loadListAction"));
    ASSERT_NE(save, nullptr);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("Сохранить"));
    EXPECT_EQ(load->text(), QStringLiteral("Загрузить"));

    // Missing file: reported, list, ticks and count unchanged.
    setRows(QStringLiteral("012"), QStringLiteral("110"));
    model.setCurrentRow(2);
    load->trigger();
    EXPECT_EQ(reports, QStringList{QStringLiteral("Cannot open file ") + view.jobListFile() +
                                   QStringLiteral(": No such file or directory.")});
    EXPECT_EQ(ticks(model), QStringLiteral("110"));
    EXPECT_EQ(model.tickedCount(), 2);

    // One line of megabytes: refused as soon as it is read, with the reason in the box.
    {
        QFile huge(view.jobListFile());
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        huge.write(QByteArray(5 * 1024 * 1024, 'x'));
    }
    reports.clear();
    load->trigger();
    EXPECT_EQ(reports, QStringList{QStringLiteral("Cannot open file %1: line 1 is longer than 4096 "
                                                  "bytes, longer than any file name.")
                                       .arg(view.jobListFile())});
    EXPECT_EQ(ticks(model), QStringLiteral("110"));
    reports.clear();

    model.insertBlank();
    const JobEntries saved = model.entries();
    save->trigger();
    model.tickAll();
    model.selectAllCrops(CropMode::TwoSide);
    load->trigger();
    EXPECT_EQ(model.entries(), saved);
    EXPECT_EQ(ticks(model), QStringLiteral("0000"));
    EXPECT_EQ(model.tickedCount(), 0);
    EXPECT_EQ(model.currentRow(), 0);
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(reports.size(), 0);
    pagula::widgets::ErrorReport::setHook({});
}

TEST_F(JobListViewTest, NamedListsThroughThePopupMenu)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList reports;
    pagula::widgets::ErrorReport::setHook([&](const QString& text) { reports.append(text); });
    QString answer;
    QList<JobListFileChoice> asked;
    view.setFileChooser([&](JobListFileChoice choice) {
        asked.append(choice);
        return answer;
    });
    QAction* saveAs = view.popupMenu()->findChild<QAction*>(QStringLiteral("saveListAsAction"));
    QAction* open = view.popupMenu()->findChild<QAction*>(QStringLiteral("openListAction"));
    ASSERT_NE(saveAs, nullptr);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(saveAs->text(), QStringLiteral("Сохранить список как..."));
    EXPECT_EQ(open->text(), QStringLiteral("Открыть список..."));

    // The one-click file belongs to the program, never to a folder of the user's.
    EXPECT_TRUE(view.jobListFile().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/')));

    setRows(QStringLiteral("012"), QStringLiteral("110"));
    const JobEntries first = model.entries();
    answer = dir.filePath(QStringLiteral("список 1.txt"));
    saveAs->trigger();
    setRows(QStringLiteral("21"), QStringLiteral("01"));
    const JobEntries second = model.entries();
    answer = dir.filePath(QStringLiteral("список 2.txt"));
    saveAs->trigger();

    // Cancelled: nothing read, list unchanged.
    answer.clear();
    open->trigger();
    EXPECT_EQ(model.entries(), second);
    EXPECT_EQ(model.tickedCount(), 1);

    answer = dir.filePath(QStringLiteral("список 1.txt"));
    open->trigger();
    EXPECT_EQ(model.entries(), first);
    EXPECT_EQ(model.tickedCount(), 0);
    answer = dir.filePath(QStringLiteral("список 2.txt"));
    open->trigger();
    EXPECT_EQ(model.entries(), second);
    EXPECT_EQ(asked, (QList<JobListFileChoice>{JobListFileChoice::Save, JobListFileChoice::Save,
                                               JobListFileChoice::Open, JobListFileChoice::Open,
                                               JobListFileChoice::Open}));

    // A name that cannot be written or read is reported; the list stays.
    answer = dir.filePath(QStringLiteral("нет/такой/папки.txt"));
    saveAs->trigger();
    open->trigger();
    EXPECT_EQ(reports.size(), 2);
    EXPECT_EQ(model.entries(), second);
    pagula::widgets::ErrorReport::setHook({});
}
