#pragma once

#include "imaging/LeptonicaImage.h"

#include <QRect>

namespace pagula::imaging
{

// The box around the print of a page whose lines are level, from an ink mask (see
// InkMask.h): every mark except specks and whatever touches the mask's edge (a book's gutter,
// the rim of a scanner lid, table left around a photographed sheet). Empty when there is no
// print.
QRect findTextBlock(Pix* ink);

} // namespace pagula::imaging
