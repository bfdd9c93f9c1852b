#pragma once

#include <QImage>
#include <QRect>

namespace pagula::imaging
{

// The box around the print of a page whose lines are level: every mark darker than the paper
// around it, except specks and whatever touches the picture's edge (a book's gutter, the rim of
// a scanner lid, table left around a photographed sheet). Empty when there is no print.
// `grey` is a small Format_Grayscale8 picture made for looking.
QRect findTextBlock(const QImage& grey);

} // namespace pagula::imaging
