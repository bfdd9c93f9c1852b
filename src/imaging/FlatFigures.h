#pragma once

#include "imaging/LeptonicaImage.h"

#include <QImage>

namespace pagula::imaging
{

// The large flat figures printed on a page (a diagram's fills, a photograph, a coloured box) in
// a small grey copy of its picture (see ReducedCopy.h), whose paper is `paperLevel` bright, and
// the same copy in colour when the picture has colour (or a null image): areas clearly darker
// than the paper or, in colour, clearly coloured, at least `thickness` pixels
// across every way (thicker than lines of print), and clear of the copy's edges, where the
// table, the rim of a lid or a shadow reach in. Evening the paper must not take them for paper
// in shadow, and they belong to the page's content. 1 bit per pixel, the copy's size; null when
// there are none.
PixPtr flatFigures(const QImage& grey, const QImage& colour, int paperLevel, int thickness);

} // namespace pagula::imaging
