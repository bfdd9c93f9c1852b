#include "layout/SchematicGeometry.h"

#include "SchematicPixels.h"

#include <climits>
#include <gtest/gtest.h>

using namespace pagula::layout;

TEST(SchematicGeometry, CellsGoColumnByColumnAndAreNumberedRowByRow)
{
    SchematicLayout layout;
    layout.settings = test::startSettings();
    const SchematicGeometry g = schematicGeometry(layout);
    EXPECT_EQ(g.page, (PixelRect{0, 0, 210, 297}));
    ASSERT_EQ(g.cells.size(), 9u);
    const int xs[] = {7, 71, 135};
    const int ys[] = {7, 97, 187};
    // [column][row]
    const char* numbers[3][3] = {{"1", "4", "7"}, {"2", "5", "8"}, {"3", "6", "9"}};
    for (std::size_t i = 0; i < g.cells.size(); ++i) {
        const SchematicCell& cell = g.cells[i];
        const int c = int(i) / 3, r = int(i) % 3;
        EXPECT_EQ(cell.column, c + 1);
        EXPECT_EQ(cell.row, r + 1);
        // 65 x 91 pixels including the outline: cw = 64, ch = 90.
        EXPECT_EQ(cell.outline, (PixelRect{xs[c], ys[r], xs[c] + 65, ys[r] + 91})) << i;
        EXPECT_EQ(cell.number, QString::fromLatin1(numbers[c][r]));
        EXPECT_EQ(cell.numberCentreX, xs[c] + 32);
        EXPECT_EQ(cell.numberTop, ys[r] + 40);
        ASSERT_TRUE(cell.strip.has_value());
        EXPECT_EQ(*cell.strip, (PixelRect{xs[c], ys[r], xs[c] + 6, ys[r] + 91}));
    }

    layout.twoSide = true;
    const SchematicGeometry two = schematicGeometry(layout);
    EXPECT_EQ(two.cells[0].number, "1(2)");
    EXPECT_EQ(two.cells[3].number, "3(4)");
    EXPECT_EQ(two.cells[6].number, "5(6)");
    EXPECT_EQ(two.cells[1].number, "7(8)");
    EXPECT_EQ(two.cells[8].number, "17(18)");
}

TEST(SchematicGeometry, WholePixelsRoundHalvesToEven)
{
    const struct {
        double cellWidth;
        std::int64_t right; // cell 1's exclusive right edge: 7 + cw + 1
    } cases[] = {{64.5, 72}, {65.5, 74}, {64.49, 72}, {64.51, 73}, {0.0, 8}, {-0.5, 8}, {-1.5, 6}};
    for (const auto& c : cases) {
        SchematicLayout layout;
        layout.settings = test::startSettings();
        layout.settings.columns = 2;
        layout.settings.maxCellWidth = 96.5; // pitch 96
        layout.settings.cellWidth = c.cellWidth;
        const SchematicGeometry g = schematicGeometry(layout);
        ASSERT_EQ(g.cells.size(), 6u);
        EXPECT_EQ(g.cells[0].outline.right, c.right) << c.cellWidth;
        EXPECT_EQ(g.cells[3].outline.left, 7 + 96) << c.cellWidth;
    }
}

TEST(SchematicGeometry, StripLiesOnTheChosenSide)
{
    // Cell 1 at the defaults spans x 7..71 and y 7..97 (outline included), g = 6.
    const struct {
        GutterSide side;
        bool present;
        PixelRect strip;
    } cases[] = {
        {GutterSide::Left, true, {7, 7, 13, 98}},
        {GutterSide::Right, true, {66, 7, 72, 98}},
        {GutterSide::Top, true, {7, 7, 72, 13}},
        {GutterSide::Bottom, true, {7, 92, 72, 98}},
        {GutterSide::None, false, {}},
        {gutterSideFromIndex(4), false, {}}, // an index past the drop-down
    };
    for (const auto& c : cases) {
        SchematicLayout layout;
        layout.settings = test::startSettings();
        layout.gutterSide = c.side;
        const SchematicCell cell = schematicGeometry(layout).cells.at(0);
        ASSERT_EQ(cell.strip.has_value(), c.present) << int(c.side);
        if (c.present) {
            EXPECT_EQ(*cell.strip, c.strip) << int(c.side);
        }
    }
}

TEST(SchematicGeometry, NumberPositionDividesTowardsZero)
{
    SchematicLayout layout;
    layout.settings = test::startSettings();
    layout.settings.cellWidth = -7.0;
    layout.settings.cellHeight = -3.0;
    const SchematicCell cell = schematicGeometry(layout).cells.at(0);
    EXPECT_EQ(cell.numberCentreX, 7 - 3);
    EXPECT_EQ(cell.numberTop, 7 - 1 - 5);
    EXPECT_EQ(cell.outline, (PixelRect{7, 7, 1, 5}));
    EXPECT_EQ(cell.outline.normalized(), (PixelRect{1, 5, 7, 7}));
}

TEST(SchematicGeometry, ExtremeValuesStayInRangeAndClip)
{
    SchematicLayout layout;
    layout.settings = test::startSettings();
    layout.settings.columns = 15;
    layout.settings.rows = 15;
    layout.settings.marginLeft = INT_MIN;
    layout.settings.marginTop = INT_MAX;
    layout.settings.maxCellWidth = 1e300;
    layout.settings.cellWidth = -1e300;
    layout.settings.gutterSize = INT_MAX;
    const SchematicGeometry g = schematicGeometry(layout);
    ASSERT_EQ(g.cells.size(), 225u);
    const SchematicCell& last = g.cells.back();
    EXPECT_EQ(last.outline.left, std::int64_t(14) * INT_MAX + INT_MIN);
    EXPECT_GT(last.outline.top, std::int64_t(INT_MAX));
    const QRect bounds(0, 0, kSchematicWidth, kSchematicHeight);
    EXPECT_TRUE(last.outline.clippedTo(bounds).isEmpty());
    EXPECT_EQ((PixelRect{-5, 290, 400, 1000}).clippedTo(bounds), QRect(0, 290, 210, 7));
    EXPECT_EQ((PixelRect{50, 60, 40, 30}).clippedTo(bounds), QRect(40, 30, 10, 30));
}
