#include "Fakes.h"
#include "compose/CellPlacer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pagula::compose;
using namespace pagula::compose::test;
using pagula::document::CellCrop;
using pagula::document::ColorType;
using pagula::joblist::JobEntry;

namespace
{

struct PlaceCellFixture : ::testing::Test {
    FakeSettings settings;
    FakeEvents events;
    RecordingBuilder builder;
    std::atomic<bool> cancel{false};
    SettingsChannel channel{{}};
    Session session{builder, SettingsView({}, &channel), events, cancel, fakePicture, 1, {}, {}, {},
                    1};

    void SetUp() override { builder.beginDocument({}); }
    const pagula::document::Cell& last() { return builder.docs.back().cells.back(); }
    // Prepares the entry's picture with the settings as they are and places it.
    void placeCell(Session&, const JobEntry& entry, bool isPicture, double width, double height,
                   const CellEdges& edges)
    {
        channel.publish(settings.value());
        const PictureTask task =
            pictureTask(entry, isPicture, QSizeF(width, height), settings.value());
        pagula::compose::placeCell(session, fakePicture(task), width, height, edges);
    }
};

void expectCrop(const std::optional<CellCrop>& crop, CellCrop want)
{
    ASSERT_TRUE(crop.has_value());
    EXPECT_DOUBLE_EQ(crop->left, want.left);
    EXPECT_DOUBLE_EQ(crop->right, want.right);
    EXPECT_DOUBLE_EQ(crop->top, want.top);
    EXPECT_DOUBLE_EQ(crop->bottom, want.bottom);
}

} // namespace

TEST_F(PlaceCellFixture, CropsByTheProfileOfTheCropCodeAndSizesTheCell)
{
    settings.profile1 = {10, 0, 5, 0};
    settings.profile2 = {1, 2, 3, 4};
    placeCell(session, JobEntry::fromText(QStringLiteral("/p/a.jpg1")), true, 165.2805, 255.15,
              {true, true, false, false});
    const auto& p = last();
    EXPECT_EQ(p.path, QStringLiteral("/p/a.jpg"));
    expectCrop(p.crop, {10, 0, 5, 0});
    EXPECT_DOUBLE_EQ(p.size.width(), 165.2805);
    EXPECT_DOUBLE_EQ(p.size.height(), 255.15);
    EXPECT_EQ(builder.dump(0, {}), QStringLiteral("a:tl"));

    placeCell(session, JobEntry::fromText(QStringLiteral("/p/b.jpg2")), true, 10, 10, {});
    expectCrop(last().crop, {1, 2, 3, 4});
}

TEST_F(PlaceCellFixture, AdjustmentsByCropCodeAndKind)
{
    const struct {
        const char* entry;
        bool isPicture;
        int bright, contr;
        ColorType colorType;
        double wantBright, wantContr; // -1: no adjustments
        bool wantCrop;
    } cases[] = {
        {"/p/a.jpg0", true, 50, 50, ColorType::Greyscale, 0.5, 0.5, false},
        {"/p/a.jpg0", true, 0, 100, ColorType::BlackAndWhite, 0.0, 1.0, false},
        {"/p/a.jpg0", true, 73, 12, ColorType::Automatic, 0.73, 0.12, false},
        {"/p/a.jpg1", true, 50, 50, ColorType::Greyscale, 0.5, 0.5, true},
        {"/p/a.jpgX", true, 50, 50, ColorType::Greyscale, 0.5, 0.5, false}, // unknown code: no crop
        {"/f/Pagula-tmp.bmp0", false, 10, 90, ColorType::BlackAndWhite, -1.0, -1.0, false},
        {"/p/a.jpg1", false, 10, 90, ColorType::BlackAndWhite, -1.0, -1.0, false}, // never cropped
    };
    settings.profile1 = {10, 10, 10, 10};
    for (const auto& c : cases) {
        settings.bright = c.bright;
        settings.contr = c.contr;
        settings.chosenColorType = c.colorType;
        placeCell(session, JobEntry::fromText(QString::fromUtf8(c.entry)), c.isPicture, 20, 30, {});
        const auto& p = last();
        ASSERT_EQ(p.adjustments.has_value(), c.wantBright >= 0) << c.entry;
        if (p.adjustments) {
            EXPECT_DOUBLE_EQ(p.adjustments->brightness, c.wantBright) << c.entry;
            EXPECT_DOUBLE_EQ(p.adjustments->contrast, c.wantContr) << c.entry;
            EXPECT_EQ(p.adjustments->colorType, c.colorType) << c.entry;
        }
        EXPECT_EQ(p.crop.has_value(), c.wantCrop) << c.entry;
        EXPECT_EQ(p.size, QSizeF(20, 30));
    }
}

TEST_F(PlaceCellFixture, EdgesOnlyWhenFrameIsTicked)
{
    placeCell(session, JobEntry::fromText(QStringLiteral("/p/a.jpg0")), true, 1, 1,
              {true, true, true, true});
    placeCell(session, JobEntry::fromText(QStringLiteral("/p/b.jpg0")), false, 1, 1,
              {false, true, false, true});
    settings.frameOn = false;
    placeCell(session, JobEntry::fromText(QStringLiteral("/p/c.jpg0")), true, 1, 1,
              {true, true, true, true});
    EXPECT_EQ(builder.dump(0, {}), QStringLiteral("a:tlbr b:lr c"));
}

TEST_F(PlaceCellFixture, AdvancesCellNumberAndProgressOncePerCell)
{
    for (int k = 1; k <= 4; ++k) {
        placeCell(session, JobEntry::fromText(QStringLiteral("/p/a.jpg0")), k % 2 == 0, 1, 1, {});
        EXPECT_EQ(session.cellNumber, k + 1);
        EXPECT_EQ(events.position, k + 1); // pictures placed plus one
        EXPECT_EQ(events.positions.size(), size_t(k));
        EXPECT_EQ(builder.docs.back().cells.size(), size_t(k));
    }
}

TEST_F(PlaceCellFixture, FailureLeavesEarlierCellsAndDoesNotAdvance)
{
    builder.missing << QStringLiteral("/p/gone.jpg");
    placeCell(session, JobEntry::fromText(QStringLiteral("/p/a.jpg0")), true, 1, 1, {});
    try {
        placeCell(session, JobEntry::fromText(QStringLiteral("/p/gone.jpg0")), true, 1, 1, {});
        FAIL() << "no failure";
    } catch (const pagula::common::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("/p/gone.jpg")));
    }
    EXPECT_EQ(builder.docs.back().cells.size(), 1u);
    EXPECT_EQ(session.cellNumber, 2);

    // A picture that could not be prepared fails with its own message, before the builder.
    PreparedPicture unreadable = fakePicture({QStringLiteral("/p/bad.jpg"), {1, 1}, {}, {}});
    unreadable.failure = QStringLiteral("Cannot insert picture /p/bad.jpg: JPEG error #42");
    EXPECT_EQ(
        pagula::test::errorOf([&] { pagula::compose::placeCell(session, unreadable, 1, 1, {}); }),
        *unreadable.failure);
    EXPECT_EQ(builder.docs.back().cells.size(), 1u);
}

TEST_F(PlaceCellFixture, PicturesKeepTheValuesTheyWerePreparedWithAndTheFrameIsReadAtPlacing)
{
    settings.bright = 30;
    const PreparedPicture early = fakePicture(pictureTask(
        JobEntry::fromText(QStringLiteral("/p/a.jpg1")), true, {1, 1}, settings.value()));
    settings.bright = 90;
    settings.frameOn = false;
    channel.publish(settings.value());
    pagula::compose::placeCell(session, early, 1, 1, {true, true, true, true});
    EXPECT_DOUBLE_EQ(last().adjustments->brightness, 0.3);
    EXPECT_EQ(builder.dump(0, {}), QStringLiteral("a"));
}
