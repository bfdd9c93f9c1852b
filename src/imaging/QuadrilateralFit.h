#pragma once

#include <QPointF>
#include <QPolygonF>

#include <vector>

namespace pagula::imaging
{

// The quadrilateral that best follows the outline of a region (a sheet of paper seen at an
// angle), from points on the region's boundary: the convex hull is cut down to four corners,
// then each side is refitted to the boundary points along its middle, so that a corner lost to
// a shadow or a notch comes back where the straight sides meet. The corners come clockwise as
// seen (y down), starting at the one nearest the top left. Empty when the points do not
// outline a quadrilateral of some size.
QPolygonF fitQuadrilateral(const std::vector<QPointF>& boundary);

// The convex hull, clockwise as seen (y down), without repeated or collinear points.
std::vector<QPointF> convexHull(std::vector<QPointF> points);

} // namespace pagula::imaging
