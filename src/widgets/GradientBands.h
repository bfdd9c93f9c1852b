#pragma once

#include "widgets/GradientButtonTypes.h"
#include "widgets/PackedColor.h"

#include <QRect>
#include <QRgb>
#include <QSize>
#include <functional>

namespace pagula::widgets
{

// The start channels of a gradient and the signed distance to the end channels, taken from
// the raw low bytes of the two colours (system colours are not resolved).
struct GradientChannels {
    int r0, g0, b0;
    int dr, dg, db;

    static GradientChannels between(PackedColor begin, PackedColor end);
};

// Step i of n: each channel start + (i * delta) / n, truncated toward zero, so step 0 is the
// begin colour and step n the end colour. n must be positive.
QRgb stepColor(const GradientChannels& c, int i, int n);

// A box given by its corners: it covers columns left .. right - 1 and rows top .. bottom - 1;
// a box whose right (bottom) is not beyond its left (top) covers nothing.
struct PixelBox {
    int left, top, right, bottom;

    bool isEmpty() const { return right <= left || bottom <= top; }
    QRect toRect() const { return QRect(left, top, right - left, bottom - top); }
    friend bool operator==(const PixelBox& a, const PixelBox& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// One band of a gradient, in drawing order: a filled box, or a filled ellipse (without
// outline) inscribed in the box.
struct GradientBand {
    PixelBox box;
    bool ellipse;
    QRgb color;
};

// Calls visit for every band of the style on a button of the given size, in drawing order.
// A centre style on a button under 2 pixels across its axis has no half size to step over;
// it then fills the button with the begin colour.
void forEachGradientBand(GradientStyle style, QSize size, PackedColor begin, PackedColor end,
                         const std::function<void(const GradientBand&)>& visit);

} // namespace pagula::widgets
