#include "imaging/Adjustments.h"

// Interim implementation; replaced together with the decoders.

namespace pagula::imaging {

QImage applyAdjustments(const QImage& image, const Adjustments& a)
{
    if (a.colorMode == ColorMode::Greyscale)
        return image.convertToFormat(QImage::Format_Grayscale8);
    if (a.colorMode == ColorMode::BlackAndWhite)
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return image;
}

} // namespace pagula::imaging
