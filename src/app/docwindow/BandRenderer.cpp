#include "app/docwindow/BandRenderer.h"

#include "common/Error.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pagula::docwindow
{

namespace
{
// A picture whose box ends just outside the strip may still put a pixel of its border line
// into it, so pictures this close count as reaching into it.
constexpr double EdgeReachPixels = 2.0;
} // namespace

QImage renderBand(const document::Document& document, const document::LaidOutPage& page,
                  const BandRequest& request, const document::PictureSource::Decoder& decoder,
                  QList<document::PictureFailure>* failures)
{
    const double dpr = request.devicePixelRatio;
    const double deviceScale = request.scale * dpr;
    // Rounding the same logical row the same way in every strip keeps neighbours seamless.
    const int deviceTop = static_cast<int>(std::lround(request.top * dpr));
    const int deviceBottom = static_cast<int>(std::lround(request.bottom * dpr));
    const int deviceWidth = static_cast<int>(std::lround(request.pageWidth * dpr));
    const QSize size(std::max(1, deviceWidth), std::max(1, deviceBottom - deviceTop));

    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw common::Error(QStringLiteral("Not enough memory to show the page"));
    image.fill(Qt::white);

    document::RenderOptions options;
    options.pictureDpi = deviceScale * 72.0;
    options.decoder = decoder;
    const double reach = EdgeReachPixels / deviceScale;
    options.visibleArea = QRectF(0.0, deviceTop / deviceScale, size.width() / deviceScale,
                                 size.height() / deviceScale)
                              .adjusted(-reach, -reach, reach, reach);

    QPainter painter(&image);
    painter.translate(0, -deviceTop);
    const QList<document::PictureFailure> found =
        document::renderPage(document, page, painter, deviceScale, true, options);
    painter.end();
    if (failures)
        *failures = found;
    image.setDevicePixelRatio(dpr);
    return image;
}

} // namespace pagula::docwindow
