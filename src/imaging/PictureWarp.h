#pragma once

#include <QImage>
#include <QRect>
#include <QTransform>

namespace pagula::imaging
{

// The part `region` of the plane that `sourceToPlane` carries the picture into (a turn, a
// perspective correction), resampled bilinearly; what lies outside the picture is white.
// Format_Grayscale8 stays grey, every other format comes back as Format_RGB32. A null image
// when the transform cannot be inverted or the region is empty.
QImage warpPicture(const QImage& picture, const QTransform& sourceToPlane, const QRect& region);

} // namespace pagula::imaging
