#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PictureSource.h"

#include <QImage>
#include <QList>

namespace pagula::docwindow
{

// One strip of a page to render: rows [top, bottom) of the page drawn `pageWidth` logical
// pixels wide at `scale` logical pixels per point, on a screen of `devicePixelRatio`.
struct BandRequest {
    double scale = 1.0;
    double devicePixelRatio = 1.0;
    int pageWidth = 0;
    int top = 0;
    int bottom = 0;
};

// Renders a strip of a page for the screen: white, pictures prepared at the screen's
// resolution, only the pictures that reach into the strip decoded. Strips of one page join
// without a seam, since every strip snaps to the same device pixel grid as the whole page.
// The image carries the device pixel ratio. Safe on a worker thread (QImage only). Throws
// pagula::common::Error when the strip cannot be allocated.
QImage renderBand(const document::Document& document, const document::LaidOutPage& page,
                  const BandRequest& request, const document::PictureSource::Decoder& decoder,
                  QList<document::PictureFailure>* failures);

} // namespace pagula::docwindow
