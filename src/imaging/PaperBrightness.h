#pragma once

#include <QImage>

struct Pix;

namespace pagula::imaging
{

// How bright the bare paper is across a picture: a coarse map in which print is closed over
// (Leptonica's grey closing, at half the size of a small copy of the picture), so that dividing
// a pixel by the map's value around it turns paper white under any light and leaves print as
// dark as it was against its paper.
struct PaperMap {
    QImage levels;     // Format_Grayscale8, or Format_RGB32 for each colour channel on its own
    double step = 1.0; // picture pixels per map pixel

    bool isNull() const { return levels.isNull(); }
};

// The map of `copy`, a small copy of the picture reduced by `copyFactor`. A null map when the
// copy is too small to look at or holds no paper to speak of (nearly black). Under `figures`
// (1 bpp, the copy's size; see FlatFigures.h) the map is taken from the paper around them.
PaperMap paperBrightness(const QImage& copy, int copyFactor, Pix* figures = nullptr);

// How thick, in pixels of a copy of this size, a mark may be for the map to close over it:
// anything thicker it takes for paper in shadow.
int paperClosingSize(QSize copy);

} // namespace pagula::imaging
