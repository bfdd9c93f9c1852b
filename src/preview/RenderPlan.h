#pragma once

#include "preview/CropBands.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

namespace pagula::preview
{

// What the preview shows, described rather than painted, so that only the visible part of a
// large picture is ever computed. `source` is the picture at its own size (Format_RGB32);
// `bitmapSize` the size of the copy the crop bands are measured on; `shownSize` the size on
// screen, which differs from `bitmapSize` only when the view stretches the copy to the window.
struct RenderPlan {
    QImage source;
    QSize bitmapSize;
    QSize shownSize;
    std::vector<CropBandSet> bands; // in bitmap coordinates, painted in order

    bool isEmpty() const { return source.isNull() || shownSize.isEmpty(); }
};

// The pixels of `region` (in shown coordinates) of the view the plan describes: the source
// resampled to the shown size with the bands, stretched along with the picture, painted over.
QImage renderRegion(const RenderPlan& plan, const QRect& region);

// Several regions at once, shared out over the processor's cores (at most two threads, as
// the machine is shared with other work); the same pixels as renderRegion one by one.
std::vector<QImage> renderRegions(const RenderPlan& plan, const std::vector<QRect>& regions);

// The whole shown picture (for checks and small pictures).
QImage renderAll(const RenderPlan& plan);

} // namespace pagula::preview
