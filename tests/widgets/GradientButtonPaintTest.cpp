// Pixels of the button's surface after a paint.
#include "common/Fonts.h"
#include "widgets/GradientBands.h"
#include "widgets/GradientButton.h"
#include "widgets/GradientButtonPainter.h"
#include "widgets/SymbolCaption.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

using namespace pagula;
using namespace pagula::widgets;

namespace
{

const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
const QRgb yellow = qRgb(255, 255, 0), black = qRgb(0, 0, 0);

QRgb at(const QImage& img, int x, int y)
{
    return img.pixel(x, y);
}

const QImage& paintedSurface(GradientButton& b)
{
    b.grab();
    return b.surface();
}

// A look with a flat black background, no frame and distinct caption colours: every caption
// pass shows up in its own colour.
GradientButtonLook captionLook(const QString& caption)
{
    GradientButtonLook l;
    l.size = QSize(90, 30);
    l.beginColor = l.endColor = kBlack;
    l.frameSize = 0;
    l.caption = caption;
    l.font = common::pixelFont(QStringLiteral("Arial"), 15, true);
    l.faceColor = QColor(red);
    l.textHighlight = QColor(green);
    l.textShadow = QColor(blue);
    l.disabledColor = QColor(yellow);
    l.textStyle = TextStyle::Normal;
    return l;
}

std::set<std::pair<int, int>> pixelsOf(const QImage& img, QRgb colour)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (at(img, x, y) == colour)
                out.insert({x, y});
    return out;
}

QImage render(const GradientButtonLook& look)
{
    QImage surface;
    paintGradientButtonSurface(surface, look);
    return surface;
}

} // namespace

TEST(GradientButtonPaint, DefaultButtonRows)
{
    GradientButton b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    b.setButtonFrameSize(0); // the frame would cover rows 0 and 24
    const QImage& s = paintedSurface(b);
    ASSERT_EQ(s.size(), QSize(75, 25));
    for (int x = 0; x < 75; ++x) {
        EXPECT_EQ(at(s, x, 0), qRgb(0, 0, 128)) << x;
        EXPECT_EQ(at(s, x, 12), qRgb(0, 255, 255)) << x;
        EXPECT_EQ(at(s, x, 13), qRgb(0, 255, 255)) << x;
        EXPECT_EQ(at(s, x, 24), qRgb(0, 21, 138)) << x; // step 1 of 12
    }
}

TEST(GradientButtonPaint, HorizontalColumns)
{
    const auto channels = GradientChannels::between(kNavy, kAqua);
    GradientButton b;
    b.setGradientStyle(GradientStyle::Horizontal);
    b.resize(512, 20);
    b.setButtonFrameSize(0);
    const QImage& wide = paintedSurface(b);
    for (int x = 0; x < 512; ++x)
        ASSERT_EQ(at(wide, x, 10), stepColor(channels, x / 2, 255)) << x;
    b.resize(100, 20);
    const QImage& narrow = paintedSurface(b);
    EXPECT_EQ(at(narrow, 0, 5), stepColor(channels, 2, 255));
    EXPECT_EQ(at(narrow, 1, 5), stepColor(channels, 5, 255));
    EXPECT_EQ(at(narrow, 99, 5), stepColor(channels, 255, 255));
}

TEST(GradientButtonPaint, EqualColoursAreFlatInEveryStyle)
{
    const PackedColor c = rgbColor(10, 200, 30);
    for (int style = 0; style <= int(GradientStyle::HorizontalCenter); ++style) {
        for (QSize size : {QSize(75, 25), QSize(600, 30), QSize(3, 3)}) {
            GradientButtonLook l;
            l.size = size;
            l.beginColor = l.endColor = c;
            l.gradientStyle = GradientStyle(style);
            l.frameSize = 0;
            const QImage s = render(l);
            EXPECT_EQ(pixelsOf(s, qRgb(10, 200, 30)).size(), size_t(size.width() * size.height()))
                << "style " << style << " " << size.width();
        }
    }
}

TEST(GradientButtonPaint, SystemColourBeginPaintsFromItsLowBytes)
{
    GradientButton b;
    b.setGradientStyle(GradientStyle::Vertical);
    b.setButtonFrameSize(0);
    b.setBeginColor(kButtonHighlight);
    b.setEndColor(kButtonHighlight);
    const QImage& s = paintedSurface(b);
    EXPECT_EQ(at(s, 10, 0), qRgb(0x14, 0, 0));
    EXPECT_EQ(at(s, 10, 24), qRgb(0x14, 0, 0));
    // The frame (a pen) resolves the same value through the palette.
    b.setButtonFrameSize(1);
    EXPECT_EQ(QColor(at(paintedSurface(b), 10, 0)),
              QGuiApplication::palette().color(QPalette::Light));
}

TEST(GradientButtonPaint, PressedLookSwapsFrameCaptionAndGradient)
{
    QWidget window;
    window.resize(200, 100);
    GradientButton b(&window);
    b.setGeometry(10, 10, 80, 30);
    b.setGradientStyle(GradientStyle::Vertical);
    b.setBeginColor(kBlack);
    b.setEndColor(kLime);
    b.setButtonHighlightColor(kWhite);
    b.setButtonShadowColor(kGray);
    b.setTextStyle(TextStyle::Normal);
    b.setFontColor(kRed);
    b.setFont(common::pixelFont(QStringLiteral("Arial"), 15, true));
    b.setCaption(QStringLiteral("Hi"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QImage up = paintedSurface(b);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage down = paintedSurface(b);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-5, -5));

    const QRgb white = qRgb(255, 255, 255), grey = qRgb(128, 128, 128);
    EXPECT_EQ(at(up, 40, 0), white);
    EXPECT_EQ(at(up, 40, 29), grey);
    EXPECT_EQ(at(down, 40, 0), grey);
    EXPECT_EQ(at(down, 0, 15), grey);
    EXPECT_EQ(at(down, 79, 15), white);
    EXPECT_EQ(at(down, 40, 29), white);
    // Gradient runs the other way: near the top dark while up, bright while down.
    EXPECT_LT(qGreen(at(up, 5, 1)), 40);
    EXPECT_GT(qGreen(at(down, 5, 1)), 215);
    // The caption moves one pixel right and down.
    const auto faceUp = pixelsOf(up, red);
    ASSERT_FALSE(faceUp.empty());
    std::set<std::pair<int, int>> shifted;
    for (auto [x, y] : faceUp)
        shifted.insert({x + 1, y + 1});
    EXPECT_EQ(pixelsOf(down, red), shifted);
}

// Each pass of each caption style, enabled and disabled, as the face's pixels moved to the
// pass's offset in the pass's colour, later passes over earlier ones.
TEST(GradientButtonPaint, CaptionPassesAndTheDisabledInsetLook)
{
    using T = TextStyle;
    using S = ShadeType;
    GradientButtonLook plain = captionLook(QStringLiteral("Ab&c"));
    const auto face = pixelsOf(render(plain), red);
    ASSERT_GT(face.size(), 40u);

    struct Pass {
        int dx, dy;
        QRgb colour;
    };
    const struct {
        T style;
        S shade;
        bool enabled;
        std::vector<Pass> passes;
    } cases[] = {
        {T::Raised, S::Light, true, {{-1, -1, green}, {0, 0, red}}},
        {T::Raised, S::Heavy, true, {{-1, -1, green}, {1, 1, blue}, {0, 0, red}}},
        {T::Inset, S::Light, true, {{1, 1, green}, {0, 0, red}}},
        {T::Inset, S::Heavy, true, {{-1, -1, blue}, {1, 1, green}, {0, 0, red}}},
        {T::Normal, S::Light, false, {{1, 1, green}, {0, 0, yellow}}},
        {T::Normal, S::Heavy, false, {{-1, -1, blue}, {1, 1, green}, {0, 0, yellow}}},
        {T::Raised, S::Heavy, false, {{-1, -1, blue}, {1, 1, green}, {0, 0, yellow}}},
    };
    for (const auto& c : cases) {
        GradientButtonLook l = plain;
        l.textStyle = c.style;
        l.textShadeType = c.shade;
        l.enabled = c.enabled;
        QImage expected(l.size, QImage::Format_RGB32);
        expected.fill(black);
        for (const Pass& p : c.passes)
            for (auto [x, y] : face)
                expected.setPixel(x + p.dx, y + p.dy, p.colour);
        const QImage got = render(l);
        EXPECT_EQ(got, expected) << "style " << int(c.style) << " shade " << int(c.shade)
                                 << " enabled " << c.enabled;
    }
}

TEST(GradientButtonPaint, JustificationPlacesTheFace)
{
    GradientButtonLook l = captionLook(QStringLiteral("Ab"));
    const auto leftmost = [](const std::set<std::pair<int, int>>& px) {
        int m = 1 << 20;
        for (auto [x, y] : px)
            m = std::min(m, x);
        return m;
    };
    const auto rightmost = [](const std::set<std::pair<int, int>>& px) {
        int m = -1;
        for (auto [x, y] : px)
            m = std::max(m, x);
        return m;
    };
    l.justification = Justification::Left;
    const auto left = pixelsOf(render(l), red);
    l.justification = Justification::Right;
    const auto right = pixelsOf(render(l), red);
    l.justification = Justification::Center;
    const auto centre = pixelsOf(render(l), red);
    EXPECT_GE(leftmost(left), 2);
    EXPECT_LE(leftmost(left), 4);
    EXPECT_LE(rightmost(right), 90 - 3);
    EXPECT_GE(rightmost(right), 90 - 6);
    const int centreMid = (leftmost(centre) + rightmost(centre)) / 2;
    EXPECT_NEAR(centreMid, 45, 2);
}

TEST(GradientButtonPaint, EmptyCaptionStillHasFrameAndFocusRectangle)
{
    QWidget window;
    GradientButton b(&window);
    b.setFontColor(rgbColor(255, 0, 255)); // magenta: neither the gradient nor its inverse
    b.setButtonHighlightColor(kWhite);
    b.setButtonShadowColor(kBlack);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    b.clearFocus();
    ASSERT_FALSE(b.hasFocus());
    const QImage unfocused = paintedSurface(b);
    b.setFocus();
    ASSERT_TRUE(b.hasFocus());
    const QImage focused = paintedSurface(b);
    EXPECT_TRUE(pixelsOf(focused, qRgb(255, 0, 255)).empty());
    EXPECT_EQ(at(focused, 30, 0), qRgb(255, 255, 255));
    EXPECT_EQ(at(focused, 30, 24), black);
    // Dotted: every second pixel of the outline from (2, 2) to (72, 22) is inverted.
    int inverted = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x) {
            const QRgb a = at(unfocused, x, y), f = at(focused, x, y);
            const bool onOutline = (x == 2 || x == 72) ? (y >= 2 && y <= 22)
                                                       : (y == 2 || y == 22) && x >= 2 && x <= 72;
            const bool dotted = onOutline && (x + y) % 2 == 0;
            EXPECT_EQ(f, dotted ? (a ^ 0xFFFFFFu) : a) << x << "," << y;
            inverted += dotted;
        }
    EXPECT_GT(inverted, 80);
    // showFocus off: no rectangle, even with the focus.
    b.setShowFocus(false);
    EXPECT_EQ(paintedSurface(b), unfocused);
}

TEST(GradientButtonPaint, FocusRectangleTwiceRestoresTheSurface)
{
    GradientButtonLook l = captionLook(QStringLiteral("x"));
    l.gradientStyle = GradientStyle::Elliptic;
    l.beginColor = kNavy;
    l.endColor = kYellow;
    QImage s = render(l);
    const QImage before = s;
    invertFocusRect(s, QRect(QPoint(2, 2), QPoint(87, 27)));
    EXPECT_NE(s, before);
    invertFocusRect(s, QRect(QPoint(2, 2), QPoint(87, 27)));
    EXPECT_EQ(s, before);
    // Boxes too small to hold a rectangle draw nothing.
    invertFocusRect(s, QRect(QPoint(2, 2), QPoint(1, 1)));
    EXPECT_EQ(s, before);
}

TEST(GradientButtonPaint, ThreeFrameRingsOnASixteenPixelButton)
{
    GradientButton b;
    b.resize(60, 16);
    b.setButtonHighlightColor(kWhite);
    b.setButtonShadowColor(kBlack);
    b.setButtonFrameSize(3);
    ASSERT_EQ(b.buttonFrameSize(), 3);
    const QImage& s = paintedSurface(b);
    const QRgb white = qRgb(255, 255, 255);
    for (int k = 0; k < 3; ++k) {
        const int r = 59 - k, bottom = 15 - k;
        for (int x = k; x < r; ++x)
            EXPECT_EQ(at(s, x, k), white) << "top row of ring " << k << " x " << x;
        for (int y = k; y < bottom; ++y)
            EXPECT_EQ(at(s, k, y), white) << "left column of ring " << k;
        for (int y = k; y <= bottom; ++y)
            EXPECT_EQ(at(s, r, y), black) << "right column of ring " << k;
        for (int x = k; x <= r; ++x)
            EXPECT_EQ(at(s, x, bottom), black) << "bottom row of ring " << k;
    }
    EXPECT_NE(at(s, 3, 3), white); // the gradient shows inside the rings
    EXPECT_NE(at(s, 3, 3), black);
}

TEST(GradientButtonPaint, CaptionIsDrawnOverTheInnerRings)
{
    GradientButton b;
    b.resize(60, 16);
    b.setButtonFrameSize(3);
    b.setButtonHighlightColor(kWhite);
    b.setButtonShadowColor(kWhite);
    b.setTextStyle(TextStyle::Normal);
    b.setFontColor(kRed);
    b.setFont(common::pixelFont(QStringLiteral("Arial"), 16, true));
    b.setCaption(QStringLiteral("||||"));
    const QImage& s = paintedSurface(b);
    int onRings = 0;
    for (int x = 3; x < 57; ++x)
        for (int y : {1, 2, 13, 14})
            onRings += at(s, x, y) == red;
    EXPECT_GT(onRings, 0);
}

TEST(GradientButtonPaint, StepButtonsDrawTheirSymbolsWithoutWebdings)
{
    if (!drawsSymbolsItself(common::pixelFont(QStringLiteral("Webdings"), 15)))
        GTEST_SKIP() << "a Webdings font is installed; its glyphs are used";
    GradientButtonLook l = captionLook(QStringLiteral("9"));
    l.size = QSize(50, 24);
    l.font = common::pixelFont(QStringLiteral("Webdings"), 15);
    const auto back = pixelsOf(render(l), red);
    l.caption = QStringLiteral(":");
    const auto forward = pixelsOf(render(l), red);
    ASSERT_GT(back.size(), 30u);

    // Column heights of the step-back symbol: a full-height bar, then a triangle whose
    // columns grow from its tip at the left to its base at the right.
    std::map<int, int> heights;
    int minX = 1 << 20, maxX = -1;
    for (auto [x, y] : back) {
        ++heights[x];
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    const int barHeight = heights[minX];
    int x = minX;
    while (heights.count(x) && heights[x] == barHeight)
        ++x;
    EXPECT_GE(x - minX, 2) << "bar width";
    EXPECT_LT(heights[x], barHeight / 2) << "triangle tip";
    for (int c = x + 1; c <= maxX; ++c)
        EXPECT_GE(heights[c], heights[c - 1]) << c;
    EXPECT_EQ(heights[maxX], barHeight);

    // The step-forward symbol is its mirror image about the caption's middle.
    std::set<std::pair<int, int>> mirrored;
    int fMin = 1 << 20, fMax = -1;
    for (auto [fx, fy] : forward) {
        fMin = std::min(fMin, fx);
        fMax = std::max(fMax, fx);
    }
    for (auto [fx, fy] : forward)
        mirrored.insert({fMin + fMax - fx + (minX - fMin), fy});
    EXPECT_EQ(mirrored, back);
}
