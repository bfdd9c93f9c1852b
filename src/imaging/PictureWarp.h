#pragma once

#include "imaging/PaperBrightness.h"

#include <QImage>
#include <QRect>
#include <QTransform>

namespace pagula::imaging
{

// The part `region` of the plane that `sourceToPlane` carries the picture into (a turn, a
// perspective correction, a plain crop), resampled bilinearly in one pass; what lies outside the
// picture is white. With a paper map (of this picture) every pixel is also divided by the paper's
// brightness around it, so that the paper comes out white. Format_Grayscale8 stays grey, every
// other format comes back as Format_RGB32. A null image when the transform cannot be inverted,
// the region is empty or memory runs out.
QImage warpPicture(const QImage& picture, const QTransform& sourceToPlane, const QRect& region,
                   const PaperMap& paper = {});

} // namespace pagula::imaging
