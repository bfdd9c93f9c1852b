#pragma once

#include <QSizeF>

namespace pagula::document
{

// The true A4 sheet in points (210 x 297 mm at 72 / 25.4 points per millimetre).
constexpr double A4WidthPoints = 595.2756;
constexpr double A4HeightPoints = 841.8898;
inline QSizeF a4PageSize()
{
    return {A4WidthPoints, A4HeightPoints};
}

// Lengths are compared with this tolerance, so that a row of cells computed to exactly the
// text width still fits after single-precision rounding of the sizes.
constexpr double LengthTolerance = 0.01;

// The largest length a picture or margin may take (22 inches), as word processors limit it.
constexpr double MaxLengthPoints = 1584.0;

// Height of a line that holds no picture (an empty paragraph): one line of 10 pt text at the
// usual 1.2 line spacing. Lines with pictures are exactly as high as their tallest picture.
constexpr double EmptyLineHeightPoints = 12.0;

} // namespace pagula::document
