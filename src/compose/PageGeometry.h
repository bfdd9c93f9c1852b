#pragma once

#include "document/PageGeometry.h"

namespace pagula::compose
{

// Millimetres become points by this factor throughout the composition.
constexpr double PointsPerMm = document::CompositionPointsPerMm;

// The default template's page (A4 portrait) and the flow layout's tolerance.
constexpr double PageWidthPoints = document::A4WidthPoints;
constexpr double PageHeightPoints = document::A4HeightPoints;
constexpr double LayoutTolerancePoints = document::LengthTolerance;

} // namespace pagula::compose
