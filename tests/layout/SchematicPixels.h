#pragma once

#include "layout/SchematicPainter.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace pagula::layout::test
{

// The settings after start-up with the defaults.
LayoutSettings startSettings();
// A tooltip colour distinct from every fixed colour of the schematic.
QColor testTooltipColour();
SchematicInput startInput();

// Where a colour appears in a region, as a two-colour picture cropped to its bounding box
// (null when it does not appear).
QImage inkIn(const QImage& image, const QRect& region, const QColor& ink);
// `text` drawn as the schematic draws cell numbers, reduced the same way.
QImage expectedNumberInk(const QString& text);
// The bounding box of a colour in a region (empty when absent).
QRect inkBounds(const QImage& image, const QRect& region, const QColor& ink);

// The first pixel on the outer ring of `rect` (right and bottom edges included) whose colour
// differs from `colour`; a null point when the whole ring has it.
QString ringMismatch(const QImage& image, const QRect& rect, const QColor& colour);
// Same for every pixel of a filled rectangle.
QString fillMismatch(const QImage& image, const QRect& rect, const QColor& colour);

} // namespace pagula::layout::test
