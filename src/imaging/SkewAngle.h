#pragma once

#include <QImage>

#include <optional>

namespace pagula::imaging
{

// How far the lines of text in a picture are turned from level, in degrees, clockwise as seen
// positive (y down), within ±10°. None when the picture holds too little text to tell with
// confidence. `grey` is a small Format_Grayscale8 picture made for looking.
std::optional<double> findSkew(const QImage& grey);

} // namespace pagula::imaging
