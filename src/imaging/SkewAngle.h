#pragma once

#include "imaging/LeptonicaImage.h"

#include <optional>

namespace pagula::imaging
{

// How far the lines of print are turned from level, in degrees, clockwise as seen positive
// (y down), within ±10°, from an ink mask (see InkMask.h). None when there is too little print
// to tell with confidence.
std::optional<double> findSkew(Pix* ink);

} // namespace pagula::imaging
