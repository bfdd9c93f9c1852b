#include "Fakes.h"
#include "support/TestSupport.h"
#include "compose/CellPlacer.h"

#include <gtest/gtest.h>

using namespace pagula::compose;
using namespace pagula::compose::test;
using pagula::document::CropSide;

namespace {

struct PlaceCellFixture : ::testing::Test {
    FakeSettings settings;
    FakeHost host;
    FakeDialog dialog;
    RecordingEngine engine;
    Session session{engine, settings, host, dialog, QStringLiteral("/f/Pagula-tmp.bmp0"), {}, 1};

    void SetUp() override { engine.addDocument(); }
    RecordingEngine::Picture& last() { return engine.docs.back().pictures.back(); }
};

} // namespace

TEST_F(PlaceCellFixture, CropsByProfileInPointsOfTheOwnSizeThenSizesTheCell)
{
    engine.ownSizes[QStringLiteral("/p/a.jpg")] = QSizeF(600, 800);
    settings.profile1 = {10, 0, 5, 0};
    placeCell(session, QStringLiteral("/p/a.jpg1"), true, 165.2805, 255.15,
              {true, true, false, false});

    const auto& p = last();
    EXPECT_EQ(p.path, QStringLiteral("/p/a.jpg"));
    EXPECT_TRUE(p.linked);
    EXPECT_FALSE(p.stored);
    EXPECT_TRUE(p.scaleReset);
    ASSERT_EQ(p.crops.size(), 2u);
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Top), 40.0f);
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Left), 60.0f);
    EXPECT_FLOAT_EQ(float(p.width), 165.2805f);
    EXPECT_FLOAT_EQ(float(p.height), 255.15f);
    EXPECT_EQ(p.edges, QStringLiteral("tl"));
}

TEST_F(PlaceCellFixture, ProfileTwoAndAllFourSides)
{
    engine.ownSizes[QStringLiteral("/p/b.jpg")] = QSizeF(300, 200);
    settings.profile1 = {50, 50, 50, 50}; // must not be used
    settings.profile2 = {1, 2, 3, 4};
    placeCell(session, QStringLiteral("/p/b.jpg2"), true, 10, 10, {});
    const auto& p = last();
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Left), 3.0f);
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Right), 6.0f);
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Top), 6.0f);
    EXPECT_FLOAT_EQ(p.crops.at(CropSide::Bottom), 8.0f);
}

TEST_F(PlaceCellFixture, AdjustmentsByCropCodeAndKind)
{
    const struct {
        const char* entry;
        bool isPicture;
        int bright, contr, colorFmt;
        float wantBright, wantContr;
        int wantType;
        bool wantScaleReset;
    } cases[] = {
        {"/p/a.jpg0", true, 50, 50, 1, 0.5f, 0.5f, 2, false},
        {"/p/a.jpg0", true, 0, 100, 2, 0.0f, 1.0f, 3, false},
        {"/p/a.jpg0", true, 73, 12, 0, 0.73f, 0.12f, 1, false},
        {"/p/a.jpg1", true, 50, 50, 1, 0.5f, 0.5f, 2, true},
        {"/p/a.jpgX", true, 50, 50, 1, 0.5f, 0.5f, 2, false}, // unknown code: no crop
        {"/f/Pagula-tmp.bmp0", false, 10, 90, 2, -1.0f, -1.0f, 0, false},
        {"/p/a.jpg1", false, 10, 90, 2, -1.0f, -1.0f, 0, false}, // a filler is never cropped
    };
    settings.profile1 = {10, 10, 10, 10};
    for (const auto& c : cases) {
        settings.bright = c.bright;
        settings.contr = c.contr;
        settings.colorFmt = c.colorFmt;
        placeCell(session, QString::fromUtf8(c.entry), c.isPicture, 20, 30, {});
        const auto& p = last();
        EXPECT_FLOAT_EQ(p.brightness, c.wantBright) << c.entry;
        EXPECT_FLOAT_EQ(p.contrast, c.wantContr) << c.entry;
        EXPECT_EQ(p.colorType, c.wantType) << c.entry;
        EXPECT_EQ(p.scaleReset, c.wantScaleReset) << c.entry;
        EXPECT_EQ(p.crops.empty(), !c.wantScaleReset) << c.entry;
        EXPECT_DOUBLE_EQ(p.width, 20.0);
        EXPECT_DOUBLE_EQ(p.height, 30.0);
    }
}

TEST_F(PlaceCellFixture, EdgesOnlyWhenFrameIsTicked)
{
    placeCell(session, QStringLiteral("/p/a.jpg0"), true, 1, 1, {true, true, true, true});
    EXPECT_EQ(last().edges, QStringLiteral("tlbr"));
    placeCell(session, QStringLiteral("/p/a.jpg0"), false, 1, 1, {false, true, false, true});
    EXPECT_EQ(last().edges, QStringLiteral("lr"));
    settings.frameOn = false;
    placeCell(session, QStringLiteral("/p/a.jpg0"), true, 1, 1, {true, true, true, true});
    EXPECT_EQ(last().edges, QString());
}

TEST_F(PlaceCellFixture, AdvancesCellNumberProgressAndPumpsOncePerCell)
{
    for (int k = 1; k <= 4; ++k) {
        placeCell(session, QStringLiteral("/p/a.jpg0"), k % 2 == 0, 1, 1, {});
        EXPECT_EQ(session.cellNumber, k + 1);
        EXPECT_EQ(host.position, k + 1); // pictures placed plus one
        EXPECT_EQ(host.pumps, k);
        EXPECT_EQ(engine.rangeStart, k); // collapsed behind the new picture
        EXPECT_EQ(engine.rangeEnd_, k);
    }
}

TEST_F(PlaceCellFixture, FailureLeavesEarlierCellsAndDoesNotAdvance)
{
    engine.missing << QStringLiteral("/p/gone.jpg");
    placeCell(session, QStringLiteral("/p/a.jpg0"), true, 1, 1, {});
    try {
        placeCell(session, QStringLiteral("/p/gone.jpg0"), true, 1, 1, {});
        FAIL() << "no failure";
    } catch (const pagula::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("/p/gone.jpg")));
    }
    EXPECT_EQ(engine.docs.back().pictures.size(), 1u);
    EXPECT_EQ(session.cellNumber, 2);
}

TEST_F(PlaceCellFixture, ReadsTheSettingsAtEveryCall)
{
    host.onProcessEvents = [&] { settings.bright += 10; };
    for (int k = 0; k < 3; ++k)
        placeCell(session, QStringLiteral("/p/a.jpg0"), true, 1, 1, {});
    const auto& pics = engine.docs.back().pictures;
    EXPECT_FLOAT_EQ(pics[0].brightness, 0.5f);
    EXPECT_FLOAT_EQ(pics[1].brightness, 0.6f);
    EXPECT_FLOAT_EQ(pics[2].brightness, 0.7f);
}
