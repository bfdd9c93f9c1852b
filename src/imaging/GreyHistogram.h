#pragma once

#include <QImage>

#include <array>

namespace pagula::imaging
{

using GreyHistogram = std::array<qint64, 256>;

// How many pixels of a Format_Grayscale8 picture have each level.
GreyHistogram greyHistogram(const QImage& grey);

// The highest level that at least `share` of the counted pixels reach or exceed: the brightness
// of the brightest part of a picture.
int levelOfBrightest(const GreyHistogram& histogram, double share);

} // namespace pagula::imaging
