#pragma once

#include "imaging/LeptonicaImage.h"

#include <QImage>

namespace pagula::imaging
{

// Print as a Leptonica 1-bit picture (1 = ink), from a grey picture whose paper has been evened
// out to white: whatever is clearly darker than paper. Null when Leptonica fails.
PixPtr inkMask(const QImage& evenGrey);

} // namespace pagula::imaging
