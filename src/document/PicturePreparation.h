#pragma once

#include "imaging/Adjustments.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace pagula::document
{

// Pixels a box of this size covers at a resolution; at least 1 x 1.
QSize boxPixels(QSizeF boxPoints, double dpi);

// The decoded size to ask for so that the visible share of the picture still covers target
// pixels: the JPEG decoder then scales by DCT as far as that allows. Bounded, so a sliver of
// a picture never asks for an absurd size.
QSize decodeSizeFor(QSize target, QRectF visibleShare);

// The source pixels of a visible share (unit rectangle) of a decoded picture; crop points map
// to pixels in proportion. Empty when nothing of the picture shows.
QRect sourceRect(QSize decoded, QRectF visibleShare);

// The visible share, scaled down to the target (never enlarged: the output stretches it) and
// adjusted. Transparency is laid on white paper. The result is Format_Mono for a black and
// white picture kept at its pixels, Format_Grayscale8 for grey pictures (grey files and colour
// files holding only grey), else Format_RGB32 (or what the adjustments make of it). A null
// image when nothing of the picture shows.
//
// With keepProportions the visible share keeps its proportions: it is fitted into the target
// and centred on white, so the image still has the target's proportions. With localThreshold a
// black and white picture is thresholded locally (the paper was evened) at the target's
// pixels, enlarged to them when smaller, never at fewer.
struct PictureFinish {
    bool keepProportions = false;
    bool localThreshold = false;
};
QImage preparePicture(const QImage& decoded, QRectF visibleShare, QSize target,
                      const imaging::Adjustments& adjustments, PictureFinish finish = {});

// The size a picture of `picture` pixels takes fitted into `box` keeping its proportions, and
// the size of the box around it at the same scale (the box itself unless the picture would
// have to be enlarged, which the output does instead).
struct FittedSize {
    QSize picture;
    QSize box;
};
FittedSize fittedSize(QSize picture, QSize box);

} // namespace pagula::document
