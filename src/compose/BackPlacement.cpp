#include "compose/BackPlacement.h"

#include "compose/PageGeometry.h"

namespace pagula::compose
{

PageMargins frontPageMargins(int leftMm, int rightMm, int topMm, int bottomMm)
{
    return {leftMm * PointsPerMm, (rightMm - 4) * PointsPerMm, topMm * PointsPerMm,
            (bottomMm - 4) * PointsPerMm};
}

PageMargins backPageMargins(const PageMargins& front, double gridWidthPoints, QPointF offsetMm)
{
    const double textWidth = PageWidthPoints - front.left - front.right;
    const double textHeight = PageHeightPoints - front.top - front.bottom;
    PageMargins back;
    back.left = PageWidthPoints - front.left - gridWidthPoints + offsetMm.x() * PointsPerMm;
    back.top = front.top + offsetMm.y() * PointsPerMm;
    back.right = PageWidthPoints - back.left - textWidth;
    back.bottom = PageHeightPoints - back.top - textHeight;
    return back;
}

} // namespace pagula::compose
