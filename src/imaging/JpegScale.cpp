#include "imaging/JpegScale.h"

#include "imaging/Limits.h"

#include <algorithm>

namespace pagula::imaging
{

namespace
{

bool fits(QSize full, int eighths, int bitsPerPixel)
{
    const QSize s = jpegScaledSize(full, eighths);
    return limits::fitsDecodeLimits(s.width(), s.height(), bitsPerPixel);
}

} // namespace

QSize jpegScaledSize(QSize full, int eighths)
{
    const auto side = [eighths](int length) {
        return int((qint64(length) * eighths + JpegFullScale - 1) / JpegFullScale);
    };
    return QSize(side(full.width()), side(full.height()));
}

int chooseJpegScale(QSize full, QSize atLeast, int bitsPerPixel, bool shrinkToFit, int largest)
{
    if (full.isEmpty())
        return 0;
    largest = std::clamp(largest, 1, JpegLargestScale);
    int wanted = std::min(JpegFullScale, largest);
    if (!atLeast.isEmpty()) {
        wanted = largest;
        for (int m = 1; m < largest; ++m) {
            const QSize s = jpegScaledSize(full, m);
            if (s.width() >= atLeast.width() && s.height() >= atLeast.height()) {
                wanted = m;
                break;
            }
        }
    }
    if (fits(full, wanted, bitsPerPixel))
        return wanted;
    if (shrinkToFit) {
        for (int m = wanted - 1; m >= 1; --m) {
            if (fits(full, m, bitsPerPixel))
                return m;
        }
    }
    return 0;
}

} // namespace pagula::imaging
