#include "widgets/FrameRings.h"

namespace pagula::widgets
{

namespace
{

QRect rowPixels(int y, int fromX, int toX)
{
    return QRect(QPoint(fromX, y), QPoint(toX, y));
}
QRect columnPixels(int x, int fromY, int toY)
{
    return QRect(QPoint(x, fromY), QPoint(x, toY));
}

} // namespace

std::vector<FrameLine> frameRingLines(QSize size, int frameSize)
{
    std::vector<FrameLine> lines;
    for (int k = 0; k < frameSize; ++k) {
        const int l = k, t = k, r = size.width() - 1 - k, b = size.height() - 1 - k;
        if (r < l || b < t)
            break;
        // Empty rectangles (a one-pixel ring has no top row) are kept out of the list.
        const FrameLine ring[] = {{rowPixels(t, l, r - 1), true},
                                  {columnPixels(l, t, b - 1), true},
                                  {columnPixels(r, t, b), false},
                                  {rowPixels(b, l, r), false}};
        for (const FrameLine& line : ring)
            if (line.pixels.isValid())
                lines.push_back(line);
    }
    return lines;
}

} // namespace pagula::widgets
