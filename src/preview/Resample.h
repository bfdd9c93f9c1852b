#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace pagula::preview
{

// The size of the copy shown at zoom item k of the zoom list (1 to 10 for 10 % to 100 %):
// W × k div 10 by H × k div 10. Item 0 (fit to the window) keeps the size.
QSize zoomedSize(QSize source, int zoomItem);

// Resamples `source` (32 bits per pixel, alpha ignored) to `target` pixels by area averaging:
// every target pixel is the mean of the source area it covers, partial pixels weighted. Only
// the pixels of `region` (in target coordinates) are computed, and they come out the same as
// in a whole-picture resample, so a view can render just what it shows, tile by tile. Equal
// sizes copy. The result is Format_RGB32.
QImage resampleRegion(const QImage& source, QSize target, const QRect& region);

} // namespace pagula::preview
