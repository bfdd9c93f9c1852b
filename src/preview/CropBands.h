#pragma once

#include "joblist/CropMode.h"

#include <QPoint>
#include <QSize>

#include <array>

class QImage;

namespace pagula::preview
{

// One crop profile: whole percentages of the width (left, right) and height (top, bottom).
using CropPercentages = joblist::CropProfile;

// A band as a GDI rectangle: right and bottom edges excluded.
struct BandRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const BandRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

using CropBandSet = std::array<BandRect, 4>;

// The bands that a crop cuts away from a bitmap of the given size, in drawing order: top,
// bottom, left, right. Edges are 32-bit integer arithmetic with truncating division.
CropBandSet cropBands(QSize bitmap, const CropPercentages& crop);

// A band of a bitmap of size `from` as it lands when that bitmap is stretched to size `to`.
// A band that covers pixels before stretching keeps at least one pixel, so a thin crop stays
// visible on a reduced view.
BandRect stretchBand(const BandRect& band, QSize from, QSize to);

// Paints the bands into `target`, whose top left pixel is the point `origin` of the bitmap:
// each band filled green with a one-pixel black outline inside its edges, as a GDI Rectangle
// with the default pen draws it. A band without height or width draws nothing; a band given
// with swapped edges is drawn normalised, as GDI does.
void paintBands(QImage& target, QPoint origin, const CropBandSet& bands);

} // namespace pagula::preview
