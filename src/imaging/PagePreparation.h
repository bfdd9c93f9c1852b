#pragma once

#include <QImage>
#include <QPolygonF>
#include <QSize>

namespace pagula::imaging
{

// What to do to a page before the cell's own crop, adjustments and colour type; each part on
// its own. Order: straighten, keep the page, even the background.
struct PreparationOptions {
    bool findPage = false;       // keep only the page: the sheet in a photo, the print in a scan
    bool straighten = false;     // level the lines; a photographed sheet becomes a rectangle
    bool evenBackground = false; // paper evenly white, print kept

    bool any() const { return findPage || straighten || evenBackground; }
};

// Where the page was found, for drawing it over the original and for keeping its proportions.
struct PageGeometry {
    // The part of the picture that was kept, in the picture's pixels, clockwise from the top
    // left; the whole picture when nothing was cut away.
    QPolygonF kept;
    // The sheet found in a photo, in the picture's pixels; empty for a scan.
    QPolygonF paper;
    // How far the page's lines were turned in the picture, degrees, clockwise as seen.
    double angle = 0.0;
};

struct PreparedPage {
    QImage image;
    PageGeometry geometry;
};

// Prepares one decoded page (already upright by its orientation tag). Works on the picture as
// decoded for the cell, on any thread. Grey pictures stay Format_Grayscale8, colour ones come
// back as Format_RGB32, transparency laid on white; with nothing asked, or when nothing is found
// (a tiny, blank, black or oddly shaped picture), the picture comes back as it is.
// A reshaped page may come back smaller than the picture's own pixels (the decoder's steps
// often give more than the cell needs), but never smaller than `atLeast` in both directions;
// an empty atLeast keeps every pixel.
PreparedPage preparePage(const QImage& picture, const PreparationOptions& options,
                         QSize atLeast = {});

} // namespace pagula::imaging
