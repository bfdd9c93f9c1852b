#include "preview/CropBands.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace pagula::preview
{

CropBandSet cropBands(QSize bitmap, const CropPercentages& crop)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    const int l = w * crop.left / 100;
    const int r = w * crop.right / 100;
    const int t = h * crop.top / 100;
    const int b = h * crop.bottom / 100;
    return {BandRect{0, 0, w, t}, BandRect{0, h - b, w, h}, BandRect{0, t, l, h - b},
            BandRect{w - r, t, w, h - b}};
}

namespace
{
int stretchEdge(int edge, int from, int to)
{
    if (from <= 0)
        return 0;
    return static_cast<int>(static_cast<std::int64_t>(edge) * to / from);
}

BandRect normalised(const BandRect& b)
{
    return {std::min(b.left, b.right), std::min(b.top, b.bottom), std::max(b.left, b.right),
            std::max(b.top, b.bottom)};
}
} // namespace

BandRect stretchBand(const BandRect& band, QSize from, QSize to)
{
    const BandRect n = normalised(band);
    BandRect s{stretchEdge(n.left, from.width(), to.width()),
               stretchEdge(n.top, from.height(), to.height()),
               stretchEdge(n.right, from.width(), to.width()),
               stretchEdge(n.bottom, from.height(), to.height())};
    if (n.right > n.left && s.right <= s.left)
        s.right = s.left + 1;
    if (n.bottom > n.top && s.bottom <= s.top)
        s.bottom = s.top + 1;
    return s;
}

void paintBands(QImage& target, QPoint origin, const CropBandSet& bands)
{
    static const QColor fill(0, 128, 0);
    QPainter p(&target);
    p.translate(-origin);
    for (const BandRect& band : bands) {
        const BandRect b = normalised(band);
        if (b.right <= b.left || b.bottom <= b.top)
            continue;
        p.fillRect(QRect(QPoint(b.left, b.top), QPoint(b.right - 1, b.bottom - 1)), Qt::black);
        if (b.right - b.left > 2 && b.bottom - b.top > 2)
            p.fillRect(QRect(QPoint(b.left + 1, b.top + 1), QPoint(b.right - 2, b.bottom - 2)),
                       fill);
    }
}

} // namespace pagula::preview
