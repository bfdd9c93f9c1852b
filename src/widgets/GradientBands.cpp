#include "widgets/GradientBands.h"

#include <cstdint>

namespace pagula::widgets
{

GradientChannels GradientChannels::between(PackedColor begin, PackedColor end)
{
    const int r0 = int(begin & 0xFF), g0 = int(begin >> 8 & 0xFF), b0 = int(begin >> 16 & 0xFF);
    const int r1 = int(end & 0xFF), g1 = int(end >> 8 & 0xFF), b1 = int(end >> 16 & 0xFF);
    return {r0, g0, b0, r1 - r0, g1 - g0, b1 - b0};
}

QRgb stepColor(const GradientChannels& c, int i, int n)
{
    // C++ integer division truncates toward zero, as the steps require.
    return qRgb(c.r0 + i * c.dr / n, c.g0 + i * c.dg / n, c.b0 + i * c.db / n);
}

namespace
{

// Integer part of (a * b) / c without overflow for any widget size.
int mulDiv(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return int(a * b / c);
}

void horizontalBands(QSize s, const GradientChannels& c,
                     const std::function<void(const GradientBand&)>& visit)
{
    for (int i = 0; i <= 255; ++i) {
        const PixelBox box{mulDiv(i, s.width(), 256), 0, mulDiv(i + 1, s.width(), 256), s.height()};
        if (!box.isEmpty())
            visit({box, false, stepColor(c, i, 255)});
    }
}

void verticalBands(QSize s, const GradientChannels& c,
                   const std::function<void(const GradientBand&)>& visit)
{
    for (int i = 0; i <= 255; ++i) {
        const PixelBox box{0, mulDiv(i, s.height(), 256), s.width(),
                           mulDiv(i + 1, s.height(), 256)};
        if (!box.isEmpty())
            visit({box, false, stepColor(c, i, 255)});
    }
}

// 51 ellipses from about a third larger than the button on every side down to a box at most
// one pixel across in the middle.
void ellipticBands(QSize s, const GradientChannels& c,
                   const std::function<void(const GradientBand&)>& visit)
{
    const std::int64_t w = s.width(), h = s.height();
    const std::int64_t tw = w / 3, th = h / 3;
    for (int i = 0; i <= 50; ++i) {
        const std::int64_t dx = (w + 2 * tw) * i / 100, dy = (h + 2 * th) * i / 100;
        const PixelBox box{int(-tw + dx), int(-th + dy), int(w + tw - dx), int(h + th - dy)};
        visit({box, true, stepColor(c, i, 50)});
    }
}

// Nested rectangles on real-number corners. The outer corner starts at size + 2, so the rings
// are centred one pixel right of and below the middle. The corners move by repeated addition
// (not i * step), so their truncation matches the look the buttons have always had.
void rectangleBands(QSize s, const GradientChannels& c,
                    const std::function<void(const GradientBand&)>& visit)
{
    double x1 = 0, y1 = 0, x2 = s.width() + 2.0, y2 = s.height() + 2.0;
    const double sx = s.width() / 2.0 / 255.0, sy = s.height() / 2.0 / 255.0;
    for (int i = 0; i <= 255; ++i) {
        x1 += sx;
        y1 += sy;
        x2 -= sx;
        y2 -= sy;
        const PixelBox box{int(x1), int(y1), int(x2), int(y2)};
        if (!box.isEmpty())
            visit({box, false, stepColor(c, i, 255)});
    }
}

// Rows (vertical) or columns from both edges toward the middle: the near edge takes steps 0 to
// half, the far edge (size - i) steps 1 to half, its step 0 falling outside the button.
void centreBands(bool rows, QSize s, const GradientChannels& c,
                 const std::function<void(const GradientBand&)>& visit)
{
    const int along = rows ? s.height() : s.width();
    const int across = rows ? s.width() : s.height();
    const auto line = [&](int at) {
        return rows ? PixelBox{0, at, across, at + 1} : PixelBox{at, 0, at + 1, across};
    };
    const int half = along / 2;
    if (half == 0) {
        const PixelBox all{0, 0, s.width(), s.height()};
        if (!all.isEmpty())
            visit({all, false, stepColor(c, 0, 1)});
        return;
    }
    for (int i = 0; i <= half; ++i) {
        const QRgb color = stepColor(c, i, half);
        visit({line(i), false, color});
        if (i > 0)
            visit({line(along - i), false, color});
    }
}

} // namespace

void forEachGradientBand(GradientStyle style, QSize size, PackedColor begin, PackedColor end,
                         const std::function<void(const GradientBand&)>& visit)
{
    if (size.width() <= 0 || size.height() <= 0)
        return;
    const GradientChannels c = GradientChannels::between(begin, end);
    switch (style) {
    case GradientStyle::Horizontal:
        return horizontalBands(size, c, visit);
    case GradientStyle::Vertical:
        return verticalBands(size, c, visit);
    case GradientStyle::Elliptic:
        return ellipticBands(size, c, visit);
    case GradientStyle::Rectangle:
        return rectangleBands(size, c, visit);
    case GradientStyle::VerticalCenter:
        return centreBands(true, size, c, visit);
    case GradientStyle::HorizontalCenter:
        return centreBands(false, size, c, visit);
    }
}

} // namespace pagula::widgets
