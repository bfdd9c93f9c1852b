#pragma once

namespace pagula::compose {

// Millimetres become points by this factor throughout the composition.
constexpr double PointsPerMm = 2.835;

// The default template's page: A4 portrait in points.
constexpr double PageWidthPoints = 595.2756;
constexpr double PageHeightPoints = 841.8898;

// Lengths that differ by less than this are equal to the flow layout.
constexpr double LayoutTolerancePoints = 0.01;

} // namespace pagula::compose
