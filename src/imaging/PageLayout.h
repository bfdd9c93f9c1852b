#pragma once

#include "imaging/PaperBrightness.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QTransform>

namespace pagula::imaging
{

// Where a page lies in a picture. The page plane is the picture turned and, for a photographed
// sheet, freed of perspective, so that the page is an upright rectangle and its lines are level;
// its units are about the picture's pixels.
struct PageLayout {
    QTransform toPage;     // picture pixels -> page plane
    QRectF page;           // the sheet (a photo) or the whole picture (a scan), in the page plane
    QRectF content;        // the print with a small pad, in the page plane; empty when none found
    double contentPad = 0; // that pad, in the page plane's units
    QPolygonF paper;       // the sheet in a photo, in picture pixels, clockwise from the top left
    double angle = 0.0;    // degrees the lines are turned in the picture, clockwise as seen
    bool levelled = false; // whether toPage turns or unwarps anything
};

struct LayoutQuestions {
    bool level = true;       // find the turn and the perspective
    bool findContent = true; // find the print
};

// Looks at `copy`, a small grey copy of a picture of `pictureSize` reduced by `copyFactor`
// (see ReducedCopy.h), with the map of the picture's paper (see PaperBrightness.h; it may be
// null): a sheet against a darker table is outlined and unwarped; otherwise the picture counts
// as a scan, and the turn of its lines is found. The print is then looked for on the levelled
// page, with the flat figures found on the copy (see FlatFigures.h; may be null). Finds nothing (an
// identity layout over the whole picture) on copies too small, blank or dark.
PageLayout findPageLayout(const QImage& copy, int copyFactor, const PaperMap& paper,
                          QSize pictureSize, const LayoutQuestions& questions = {},
                          Pix* figures = nullptr);

} // namespace pagula::imaging
