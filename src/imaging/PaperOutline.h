#pragma once

#include <QImage>
#include <QPolygonF>

namespace pagula::imaging
{

// The sheet of paper in a photograph: the largest bright region against a darker table,
// outlined as a quadrilateral in the picture's pixels (clockwise from the top left). Empty when
// there is no such sheet: a scan, whose paper reaches three or four edges of the picture, a
// blank or dark picture, or a bright region too small or too shapeless to be a page.
// `copy` is a small Format_Grayscale8 copy made for looking (see ReducedCopy.h); the outline
// is in its pixels.
QPolygonF findPaper(const QImage& copy);

} // namespace pagula::imaging
