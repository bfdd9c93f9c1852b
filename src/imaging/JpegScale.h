#pragma once

#include <QSize>

namespace pagula::imaging
{

// libjpeg-turbo decodes a picture at any scale M/8, M from 1 to 16, straight from the DCT
// coefficients: a reduced decode is faster than a full one and needs a fraction of the memory.
constexpr int JpegFullScale = 8;     // eighths
constexpr int JpegLargestScale = 16; // eighths: twice the full size

// The size libjpeg produces at `eighths`/8: each side rounded up.
QSize jpegScaledSize(QSize full, int eighths);

// The scale, in eighths, of the smallest decode from 1/8 up to `largest`/8 that is at least
// `atLeast` in both directions (an empty atLeast asks for the full size; when even `largest`
// does not cover it, `largest`), or the next larger one where that decodes faster, and fits the
// decoding limits at this depth. With shrinkToFit, a request too large for the limits falls back to
// the largest smaller decode that fits them. 0 when nothing qualifies.
int chooseJpegScale(QSize full, QSize atLeast, int bitsPerPixel, bool shrinkToFit = false,
                    int largest = JpegFullScale);

} // namespace pagula::imaging
