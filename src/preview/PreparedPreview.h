#pragma once

#include "imaging/PagePreparation.h"

#include <QImage>
#include <QPolygonF>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace pagula::preview
{

// Below this many dots per inch a cell's print gets hard to read.
constexpr double lowCellDpi = 150.0;

// The resolution a picture of `pixels` gets in a cell of `cellMm`: stretched, the lesser of its
// two directions; fitted keeping its proportions, the scale it is fitted at. 0 when either is
// empty.
double cellDpi(QSize pixels, QSizeF cellMm, bool keepProportions);

// The status text for that resolution, with a warning below lowCellDpi.
QString cellDpiText(double dpi);

// A copy of the original with the outline found drawn over it: `outline` in the picture's own
// pixels (`realSize`), the copy possibly a reduced decode of it.
QImage outlinedOriginal(const QImage& original, QSize realSize, const QPolygonF& outline);

} // namespace pagula::preview
