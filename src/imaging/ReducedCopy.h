#pragma once

#include <QImage>

namespace pagula::imaging
{

// A copy smaller by a whole factor, each pixel the mean of a factor x factor block, so that
// fine print averages out instead of breaking up. A block cut by the right or bottom edge
// averages what it holds. Format_Grayscale8 with `luminance` (colour by its luminance) or for
// grey pictures; Format_RGB32 otherwise. The picture itself for a factor of 1 (in one of those
// formats).
QImage reducedCopy(const QImage& picture, int factor, bool luminance);

} // namespace pagula::imaging
