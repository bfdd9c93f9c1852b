#include "imaging/InkMask.h"

#include <leptonica/allheaders.h>

#include <algorithm>

namespace pagula::imaging
{

namespace
{

// Paper is set to this level; ink is what stays below inkLevel.
constexpr int paperLevel = 200;
constexpr int inkLevel = 150;

} // namespace

PixPtr inkMask(const QImage& grey)
{
    const PixPtr pix = toPix(grey);
    if (!pix || grey.width() < 8 || grey.height() < 8)
        return {};
    // At half size a closing this wide covers a letter, so that only paper is left.
    const int size = std::max(5, std::max(grey.width(), grey.height()) / 80) | 1;
    const PixPtr even = adopt(pixBackgroundNormMorph(pix.get(), nullptr, 2, size, paperLevel));
    if (!even)
        return {};
    return adopt(pixThresholdToBinary(even.get(), inkLevel));
}

} // namespace pagula::imaging
