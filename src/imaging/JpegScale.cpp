#include "imaging/JpegScale.h"

#include "imaging/Limits.h"

namespace pagula::imaging
{

namespace
{
constexpr int denominators[] = {8, 4, 2, 1}; // smallest decode first

bool fits(QSize full, int denominator, int bitsPerPixel)
{
    const QSize s = jpegScaledSize(full, denominator);
    return limits::fitsDecodeLimits(s.width(), s.height(), bitsPerPixel);
}
} // namespace

QSize jpegScaledSize(QSize full, int denominator)
{
    return QSize((full.width() + denominator - 1) / denominator,
                 (full.height() + denominator - 1) / denominator);
}

int chooseJpegScale(QSize full, QSize atLeast, int bitsPerPixel, bool shrinkToFit)
{
    if (full.isEmpty())
        return 0;
    int wanted = 1;
    if (!atLeast.isEmpty()) {
        for (int d : denominators) {
            const QSize s = jpegScaledSize(full, d);
            if (s.width() >= atLeast.width() && s.height() >= atLeast.height()) {
                wanted = d;
                break;
            }
        }
    }
    if (fits(full, wanted, bitsPerPixel))
        return wanted;
    if (shrinkToFit) {
        for (int d = wanted * 2; d <= 8; d *= 2) {
            if (fits(full, d, bitsPerPixel))
                return d;
        }
    }
    return 0;
}

} // namespace pagula::imaging
