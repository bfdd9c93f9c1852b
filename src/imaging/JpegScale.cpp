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

// libjpeg-turbo has SIMD inverse DCTs for 1/8, 2/8, 4/8 and 8/8 only; the others run in plain
// C. Measured on A4 scans (bench_decode), decoding at 4/8 and reducing costs no more than
// decoding at 3/8, and 8/8 less than 6/8 or 7/8, as long as the larger decode has at most
// twice the pixels.
int cheaperScale(QSize full, int wanted, int largest, int bitsPerPixel)
{
    for (const int simd : {1, 2, 4, 8}) {
        if (simd < wanted)
            continue;
        if (simd == wanted || simd > largest || simd * simd > 2 * wanted * wanted ||
            !fits(full, simd, bitsPerPixel))
            return wanted;
        return simd;
    }
    return wanted;
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
                wanted = cheaperScale(full, m, largest, bitsPerPixel);
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
