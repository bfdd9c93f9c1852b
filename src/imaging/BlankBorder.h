#pragma once

#include <QImage>

namespace pagula::imaging
{

// How many rows (from the top or bottom edge) or columns (from the left or right) of a
// Format_Grayscale8 or Format_RGB32 picture hold nothing darker than `level`: a line counts as
// marked from two such pixels on, so that a lone speck of noise does not.
int blankDepth(const QImage& picture, Qt::Edge from, int level);

} // namespace pagula::imaging
