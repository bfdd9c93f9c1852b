#pragma once

#include "imaging/LeptonicaImage.h"

#include <QImage>

namespace pagula::imaging
{

// Print on a small picture made for looking (Format_Grayscale8, about 1000 pixels across), as
// a Leptonica 1-bit picture (1 = ink): the paper is evened out first, so that a shadow, a dark
// gutter or a grey table turns to paper and only marks darker than their surroundings stay.
// Null when Leptonica fails.
PixPtr inkMask(const QImage& grey);

} // namespace pagula::imaging
