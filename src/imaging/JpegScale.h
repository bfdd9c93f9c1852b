#pragma once

#include <QSize>

namespace pagula::imaging
{

// libjpeg-turbo decodes at 1/2, 1/4 and 1/8 scale straight from the DCT coefficients, which is
// several times faster than a full decode and needs a fraction of the memory.

// The size libjpeg produces at 1/denominator: each side rounded up.
QSize jpegScaledSize(QSize full, int denominator);

// The denominator (1, 2, 4 or 8) of the smallest decode that is at least `atLeast` in both
// directions (an empty atLeast asks for the full size) and fits the decoding limits at this
// depth. With shrinkToFit, a request too large for the limits falls back to the largest
// decode that fits them. 0 when nothing qualifies.
int chooseJpegScale(QSize full, QSize atLeast, int bitsPerPixel, bool shrinkToFit = false);

} // namespace pagula::imaging
