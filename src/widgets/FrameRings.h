#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace pagula::widgets
{

// A one-pixel line of the bevel frame (a row or a column, as a rectangle of whole pixels) and
// whether it takes the frame's top (light while up) colour or its bottom colour.
struct FrameLine {
    QRect pixels;
    bool topColor;
};

// The lines of frameSize nested rings in drawing order. Ring k lies on the rectangle from
// (k, k) to (W - 1 - k, H - 1 - k): its top row and left column in the top colour stop one
// pixel short of the far corners, then its right column and bottom row in the bottom colour
// run to them, so the top-right and bottom-left corners take the bottom colour. A size of 0
// or less gives no ring; rings that would cross over the middle are left out.
std::vector<FrameLine> frameRingLines(QSize size, int frameSize);

} // namespace pagula::widgets
