#pragma once

#include <QSizeF>

namespace pagula::document
{

// Points per millimetre, both in one place: the true factor, which the sheet and every
// measurement use, and the rounded factor by which the composition turns the user's millimetres
// into cell sizes and margins, as the word processor it was first made for did (a grid computed
// with it is 0.03 % larger than the true one, which the writers of other formats allow for).
constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double CompositionPointsPerMm = 2.835;

// The true A4 sheet in points (210 x 297 mm).
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
