#include "layout/CellLimits.h"
#include "layout/LayoutSettings.h"

#include <climits>
#include <gtest/gtest.h>

using namespace pagula::layout;

TEST(CellLimits, LargestCellSharesWhatTheMarginsLeave)
{
    const struct {
        int page, before, after, count;
        double expected;
    } cases[] = {
        {kPageWidthMm, 7, 10, 3, 193.0 / 3.0},
        {kPageWidthMm, 7, 10, 4, 48.25},
        {kPageHeightMm, 7, 20, 3, 90.0},
        {kPageWidthMm, 7, 10, 2, 96.5},
        {kPageWidthMm, 100, 110, 3, 0.0},   // no room left
        {kPageWidthMm, 150, 110, 2, -25.0}, // less than none: below zero
        {kPageWidthMm, -20, 10, 1, 220.0},  // a negative margin enlarges the cell
        {kPageWidthMm, INT_MIN, INT_MIN, 1, 210.0 + 2.0 * 2147483648.0}, // no overflow
        {kPageHeightMm, INT_MAX, INT_MAX, 15, (297.0 - 2.0 * 2147483647.0) / 15.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(maxCellSize(c.page, c.before, c.after, c.count), c.expected)
            << c.page << " " << c.before << " " << c.after << " " << c.count;
}

TEST(CellLimits, ClampOnlyWhenStrictlyAbove)
{
    const struct {
        double size, maximum, expected;
        bool clamped;
    } cases[] = {
        {70.0, 193.0 / 3.0, 193.0 / 3.0, true},
        {64.3, 193.0 / 3.0, 64.3, false},
        {48.3, 48.25, 48.25, true},
        {90.0, 90.0, 90.0, false}, // equal is not above
        {-5.0, 0.0, -5.0, false},  // no lower bound
        {0.5, 0.0, 0.0, true},
    };
    for (const auto& c : cases) {
        double size = c.size;
        EXPECT_EQ(clampToMaximum(size, c.maximum), c.clamped) << c.size;
        EXPECT_EQ(size, c.expected) << c.size;
    }
}
