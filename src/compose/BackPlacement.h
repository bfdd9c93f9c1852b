#pragma once

#include <QPointF>

namespace pagula::compose
{

// A document's page margins in points, as the document builder is given them.
struct PageMargins {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;
};

// The largest printer offset of the back side, in mm either way, that the settings take.
constexpr double MaxBackOffsetMm = 30.0;

// The front side's margins from the layout's whole-millimetre margins. The 4 mm taken off the
// bottom and right margins make the text area a little larger than the grid, so a full row
// leaves no room for one more cell.
PageMargins frontPageMargins(int leftMm, int rightMm, int topMm, int bottomMm);

// The back side's margins for a sheet turned over its long edge: a point x on the front lies
// behind PageWidth - x, so the back grid starts where the front grid's right remainder is,
// at the front's top. The printer offset (mm, X right and Y down as the back is seen) moves it
// further. The text area keeps the front's size, so the flow gives the same rows and pages.
// Margins may come out zero or negative.
PageMargins backPageMargins(const PageMargins& front, double gridWidthPoints, QPointF offsetMm);

} // namespace pagula::compose
