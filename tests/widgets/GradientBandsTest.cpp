#include "widgets/GradientBands.h"
#include "widgets/FrameRings.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

using namespace pagula::widgets;

namespace
{

std::vector<GradientBand> bands(GradientStyle style, QSize size, PackedColor begin = kNavy,
                                PackedColor end = kAqua)
{
    std::vector<GradientBand> out;
    forEachGradientBand(style, size, begin, end, [&](const GradientBand& b) { out.push_back(b); });
    return out;
}

// The colour each column (or row) ends up with when the bands are drawn in order.
std::map<int, QRgb> finalColours(const std::vector<GradientBand>& bs, bool columns)
{
    std::map<int, QRgb> out;
    for (const GradientBand& b : bs) {
        const int from = columns ? b.box.left : b.box.top;
        const int to = columns ? b.box.right : b.box.bottom;
        for (int i = from; i < to; ++i)
            out[i] = b.color;
    }
    return out;
}

QRgb step(int i, int n, PackedColor begin = kNavy, PackedColor end = kAqua)
{
    return stepColor(GradientChannels::between(begin, end), i, n);
}

} // namespace

TEST(StepColor, TruncatesEachChannelTowardZero)
{
    const struct {
        PackedColor begin, end;
        int i, n;
        QRgb expected;
    } cases[] = {
        {kNavy, kAqua, 0, 12, qRgb(0, 0, 128)},
        {kNavy, kAqua, 1, 12, qRgb(0, 21, 138)}, // 255 / 12 = 21, 127 / 12 = 10
        {kNavy, kAqua, 12, 12, qRgb(0, 255, 255)},
        // Falling channels: -255 / 12 is -21 and -127 / 12 is -10 (not -11).
        {kWhite, kNavy, 1, 12, qRgb(234, 234, 245)},
        {kWhite, kNavy, 255, 255, qRgb(0, 0, 128)},
        // System colours count by their low bytes: kButtonHighlight is 0x000014.
        {kButtonHighlight, kButtonHighlight, 7, 9, qRgb(0x14, 0, 0)},
        {kButtonShadow, kWhite, 0, 255, qRgb(0x10, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(step(c.i, c.n, c.begin, c.end), c.expected) << c.i << "/" << c.n;
}

TEST(GradientBands, HorizontalOn100PixelsPartitionsTheWidth)
{
    const auto bs = bands(GradientStyle::Horizontal, QSize(100, 10));
    ASSERT_EQ(bs.size(), 100u); // empty bands are not drawn
    int next = 0;
    for (const GradientBand& b : bs) {
        EXPECT_EQ(b.box.left, next);
        EXPECT_EQ(b.box.right, next + 1);
        next = b.box.right;
    }
    const auto columns = finalColours(bs, true);
    EXPECT_EQ(columns.at(0), step(2, 255));
    EXPECT_EQ(columns.at(1), step(5, 255));
    EXPECT_EQ(columns.at(99), step(255, 255));
}

TEST(GradientBands, VerticalRunsFromTopToBottomAcrossTheWidth)
{
    const auto bs = bands(GradientStyle::Vertical, QSize(75, 25));
    const auto rows = finalColours(bs, false);
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows.at(0), step(10, 255)); // bands 0 to 10 start on row 0; band 10 ends it
    EXPECT_EQ(rows.at(24), step(255, 255));
    for (const GradientBand& b : bs) {
        EXPECT_EQ(b.box.left, 0);
        EXPECT_EQ(b.box.right, 75);
    }
}

TEST(GradientBands, CentreStylesEndInTheMiddleForEvenSizes)
{
    const auto rows = finalColours(bands(GradientStyle::VerticalCenter, QSize(10, 24)), false);
    EXPECT_EQ(rows.at(12), step(12, 12));
    EXPECT_EQ(rows.at(11), step(11, 12));
    EXPECT_EQ(rows.at(13), step(11, 12));
    const auto cols = finalColours(bands(GradientStyle::HorizontalCenter, QSize(75, 10)), true);
    ASSERT_EQ(cols.size(), 75u);
    EXPECT_EQ(cols.at(0), step(0, 37));
    EXPECT_EQ(cols.at(37), step(37, 37));
    EXPECT_EQ(cols.at(38), step(37, 37));
    EXPECT_EQ(cols.at(74), step(1, 37));
}

TEST(GradientBands, CentreStylesUnderTwoPixelsFillWithTheBeginColour)
{
    const struct {
        GradientStyle style;
        QSize size;
    } cases[] = {{GradientStyle::VerticalCenter, QSize(30, 1)},
                 {GradientStyle::HorizontalCenter, QSize(1, 30)}};
    for (const auto& c : cases) {
        const auto bs = bands(c.style, c.size);
        ASSERT_EQ(bs.size(), 1u);
        EXPECT_EQ(bs[0].box, (PixelBox{0, 0, c.size.width(), c.size.height()}));
        EXPECT_EQ(bs[0].color, qRgb(0, 0, 128));
    }
    EXPECT_TRUE(bands(GradientStyle::VerticalCenter, QSize(30, 0)).empty());
}

TEST(GradientBands, RectangleRingsAreCentredOnePixelRightAndDown)
{
    const auto bs = bands(GradientStyle::Rectangle, QSize(75, 25));
    ASSERT_EQ(bs.size(), 256u);
    EXPECT_EQ(bs.front().box, (PixelBox{0, 0, 76, 26})); // past the right and bottom edges
    EXPECT_EQ(bs.front().color, step(0, 255));
    // The innermost: x from 37.6 to 39.4, y from 12.5 to 14.5, truncated.
    EXPECT_EQ(bs.back().box, (PixelBox{37, 12, 39, 14}));
    EXPECT_EQ(bs.back().color, step(255, 255));
}

TEST(GradientBands, RectangleLeavesTheFirstColumnOfWideButtons)
{
    for (int w : {509, 510, 600}) {
        int leftmost = w;
        for (const GradientBand& b : bands(GradientStyle::Rectangle, QSize(w, 20)))
            leftmost = std::min(leftmost, b.box.left);
        EXPECT_EQ(leftmost, w >= 510 ? 1 : 0) << w;
    }
}

TEST(GradientBands, EllipsesShrinkFromAThirdOutsideToTheMiddle)
{
    const auto bs = bands(GradientStyle::Elliptic, QSize(75, 25));
    ASSERT_EQ(bs.size(), 51u);
    EXPECT_TRUE(bs.front().ellipse);
    EXPECT_EQ(bs.front().box, (PixelBox{-25, -8, 100, 33}));
    EXPECT_EQ(bs.back().box, (PixelBox{37, 12, 38, 13}));
    EXPECT_EQ(bs[25].color, step(25, 50));
    EXPECT_EQ(bs.back().color, qRgb(0, 255, 255));
}

TEST(FrameRings, RingsNestWithTheBottomColourOnTheFarCorners)
{
    const auto lines = frameRingLines(QSize(40, 16), 3);
    ASSERT_EQ(lines.size(), 12u);
    for (int k = 0; k < 3; ++k) {
        const int r = 39 - k, b = 15 - k;
        const FrameLine* ring = &lines[4 * k];
        EXPECT_EQ(ring[0].pixels, QRect(QPoint(k, k), QPoint(r - 1, k))) << k;
        EXPECT_TRUE(ring[0].topColor);
        EXPECT_EQ(ring[1].pixels, QRect(QPoint(k, k), QPoint(k, b - 1))) << k;
        EXPECT_TRUE(ring[1].topColor);
        EXPECT_EQ(ring[2].pixels, QRect(QPoint(r, k), QPoint(r, b))) << k;
        EXPECT_FALSE(ring[2].topColor);
        EXPECT_EQ(ring[3].pixels, QRect(QPoint(k, b), QPoint(r, b))) << k;
        EXPECT_FALSE(ring[3].topColor);
    }
}

TEST(FrameRings, NothingBelowOneAndNothingPastTheMiddle)
{
    EXPECT_TRUE(frameRingLines(QSize(75, 25), 0).empty());
    EXPECT_TRUE(frameRingLines(QSize(75, 25), -3).empty());
    // A frame set on a large button and kept after shrinking it stops at the middle.
    const auto lines = frameRingLines(QSize(6, 5), 100);
    for (const FrameLine& l : lines) {
        EXPECT_TRUE(l.pixels.isValid());
        EXPECT_TRUE(QRect(0, 0, 6, 5).contains(l.pixels));
    }
    EXPECT_FALSE(lines.empty());
}
