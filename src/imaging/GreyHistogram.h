#pragma once

#include <QImage>

#include <array>

namespace pagula::imaging
{

using GreyHistogram = std::array<qint64, 256>;

// How many pixels of a Format_Grayscale8 picture have each level.
GreyHistogram greyHistogram(const QImage& grey);

// The paper of a page is as bright as its brightest tenth; figures and print stay below
// `figureShare` of that, shadows above it.
constexpr double paperShare = 0.1;
constexpr double figureShare = 0.85;

// The highest level that at least `share` of the counted pixels reach or exceed: the brightness
// of the brightest part of a picture.
int levelOfBrightest(const GreyHistogram& histogram, double share);

} // namespace pagula::imaging
