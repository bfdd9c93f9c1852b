#pragma once

#include <QImage>
#include <QSize>

namespace pagula::imaging
{

// A Format_Grayscale8 picture reduced to `target` (at most its own size in each direction) by
// area averaging: each pixel of the result is the mean of the source area it covers, edge
// pixels counted by the share they cover. One channel all the way, where a toolkit's smooth
// scaling works on four. A null image when target is empty or larger than the picture.
QImage reduceGrey(const QImage& grey, QSize target);

} // namespace pagula::imaging
