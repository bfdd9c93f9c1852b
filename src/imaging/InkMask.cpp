#include "imaging/InkMask.h"

#include <leptonica/allheaders.h>

namespace pagula::imaging
{

namespace
{

// Print is what stays below two thirds of the paper's brightness.
constexpr int inkLevel = 170;

} // namespace

PixPtr inkMask(const QImage& evenGrey)
{
    const PixPtr pix = toPix(evenGrey);
    if (!pix)
        return {};
    return adopt(pixThresholdToBinary(pix.get(), inkLevel));
}

} // namespace pagula::imaging
