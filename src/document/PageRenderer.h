#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"
#include "document/PageCanvas.h"
#include "document/PictureSource.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <memory>

namespace pagula::document
{

struct RenderOptions {
    // Resolution the pictures are prepared at (pixels per inch of the page).
    double pictureDpi = 300.0;
    // Page area to draw, in points; pictures wholly outside it are not decoded. Empty: all.
    QRectF visibleArea;
    // How picture files are decoded; imaging::decodeFile when empty.
    PictureSource::Decoder decoder;
    // What the output stores of each prepared picture, made on the decoding threads.
    PictureSource::Encoder encoder;
};

// A picture that could not be drawn; a placeholder stands in its place.
struct PictureFailure {
    int itemIndex = -1;
    QString path;
    QString reason;
};

// Draws one laid-out page: every picture decoded at the size the output needs, cropped,
// adjusted and stretched to its box, then the border edges over them. A picture that fails
// draws as a placeholder and is returned; the rest of the page is drawn all the same.
QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 PageCanvas& canvas, const RenderOptions& options);

// The pictures a page will draw with these options, decoding from the moment it is made: made
// for the next page before the current one is drawn, it keeps the decoding threads busy while
// the current page is drawn and written.
std::unique_ptr<PictureSource> picturesFor(const Document& document, const LaidOutPage& page,
                                           const RenderOptions& options);

// renderPage with the page's pictures from picturesFor(document, page, options).
QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 PageCanvas& canvas, PictureSource& source,
                                 const RenderOptions& options);

// The same through a QPainter at `scale` device units per point (see PainterCanvas).
QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 QPainter& painter, double scale, bool snapToPixels,
                                 const RenderOptions& options);

// The page as a white RGB image at a resolution (10 to 600 dpi), pictures prepared at that
// resolution. Throws pagula::common::Error for a resolution out of range.
QImage renderPageImage(const Document& document, const LaidOutPage& page, double dpi,
                       QList<PictureFailure>* failures = nullptr);

} // namespace pagula::document
