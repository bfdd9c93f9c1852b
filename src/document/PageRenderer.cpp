#include "document/PageRenderer.h"

#include "common/Error.h"
#include "document/PainterCanvas.h"
#include "document/PictureSource.h"

#include <cmath>

namespace pagula::document
{

namespace
{
constexpr double MinImageDpi = 10.0;
constexpr double MaxImageDpi = 600.0;

QList<PlacedPicture> shownPictures(const LaidOutPage& page, const RenderOptions& options)
{
    QList<PlacedPicture> shown;
    for (const PlacedPicture& placed : page.pictures()) {
        if (options.visibleArea.isEmpty() || options.visibleArea.intersects(placed.box))
            shown.append(placed);
    }
    return shown;
}

} // namespace

std::unique_ptr<PictureSource> picturesFor(const Document& document, const LaidOutPage& page,
                                           const RenderOptions& options)
{
    return std::make_unique<PictureSource>(document, shownPictures(page, options),
                                           options.pictureDpi, options.decoder, options.encoder);
}

QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 PageCanvas& canvas, const RenderOptions& options)
{
    const std::unique_ptr<PictureSource> source = picturesFor(document, page, options);
    return renderPage(document, page, canvas, *source, options);
}

QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 PageCanvas& canvas, PictureSource& source,
                                 const RenderOptions& options)
{
    const QList<PlacedPicture> shown = shownPictures(page, options);
    QList<PictureFailure> failures;
    for (const PlacedPicture& placed : shown) {
        QImage picture;
        try {
            picture = source.take(placed);
        } catch (const common::Error& e) {
            canvas.drawPlaceholder(placed.box);
            failures.append(
                {placed.itemIndex, document.pictureAt(placed.itemIndex).path(), e.message()});
            continue;
        }
        // Outside the try: a failing canvas (a full disk) is not the picture's failure.
        if (!picture.isNull())
            canvas.drawPicture(placed.box, picture);
    }
    // Lines last, so that no neighbouring picture covers a shared edge.
    for (const PlacedPicture& placed : shown) {
        for (const EdgeLine& line : edgeLines(placed.box, document.pictureAt(placed.itemIndex)))
            canvas.drawEdge(line);
    }
    return failures;
}

QList<PictureFailure> renderPage(const Document& document, const LaidOutPage& page,
                                 QPainter& painter, double scale, bool snapToPixels,
                                 const RenderOptions& options)
{
    PainterCanvas canvas(painter, scale, snapToPixels);
    return renderPage(document, page, canvas, options);
}

QImage renderPageImage(const Document& document, const LaidOutPage& page, double dpi,
                       QList<PictureFailure>* failures)
{
    if (!std::isfinite(dpi) || dpi < MinImageDpi || dpi > MaxImageDpi)
        throw common::Error(QStringLiteral("Resolution %1 dpi is out of range (%2 to %3)")
                                .arg(dpi)
                                .arg(MinImageDpi)
                                .arg(MaxImageDpi));
    const double scale = dpi / 72.0;
    const QSize size(static_cast<int>(std::lround(document.pageSize().width() * scale)),
                     static_cast<int>(std::lround(document.pageSize().height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw common::Error(QStringLiteral("Not enough memory for a page at %1 dpi").arg(dpi));
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);

    QPainter painter(&image);
    RenderOptions options;
    options.pictureDpi = dpi;
    const QList<PictureFailure> found = renderPage(document, page, painter, scale, true, options);
    painter.end();
    if (failures)
        *failures = found;
    return image;
}

} // namespace pagula::document
