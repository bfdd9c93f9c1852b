#include "document/PdfExport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PdfCanvas.h"
#include "document/PdfWriter.h"

#include <QSaveFile>

#include <cmath>
#include <memory>

namespace pagula::document
{

namespace
{

void checkOptions(const PdfOptions& options)
{
    if (!std::isfinite(options.pictureDpi) || options.pictureDpi < 30.0 ||
        options.pictureDpi > 1200.0)
        throw Error(QStringLiteral("Picture resolution %1 dpi is out of range (30 to 1200)")
                        .arg(options.pictureDpi));
    if (options.jpegQuality < 1 || options.jpegQuality > 100)
        throw Error(
            QStringLiteral("JPEG quality %1 is out of range (1 to 100)").arg(options.jpegQuality));
}

} // namespace

ExportResult writePdf(const Document& document, QIODevice& out, const PdfOptions& options,
                      const ProgressCallback& progress)
{
    checkOptions(options);
    const DocumentLayout layout = layoutDocument(document);
    const int count = static_cast<int>(layout.pages.size());

    ExportResult result;
    PdfWriter writer(out, options.jpegQuality);
    PdfCanvas canvas(writer);
    RenderOptions render;
    render.pictureDpi = options.pictureDpi;
    std::unique_ptr<PictureSource> next;
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i + 1, count)) {
            result.cancelled = true;
            return result;
        }
        const std::unique_ptr<PictureSource> pictures =
            next ? std::move(next) : picturesFor(document, layout.pages[i], render);
        if (i + 1 < count)
            next = picturesFor(document, layout.pages[i + 1], render);
        writer.beginPage(layout.pageSize);
        const QList<PictureFailure> failures =
            renderPage(document, layout.pages[i], canvas, *pictures, render);
        if (!failures.isEmpty() && options.brokenPicture == BrokenPicture::Fail) {
            const PictureFailure& f = failures.first();
            throw Error(QStringLiteral("Cannot draw picture %1: %2").arg(f.path, f.reason));
        }
        result.failures += failures;
        writer.endPage();
        ++result.pagesWritten;
    }
    writer.finish();
    return result;
}

ExportResult savePdf(const Document& document, const QString& path, const PdfOptions& options,
                     const ProgressCallback& progress)
{
    checkOptions(options);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));

    ExportResult result;
    try {
        result = writePdf(document, file, options, progress);
    } catch (const PdfWriteError& e) {
        file.cancelWriting();
        throw Error(QStringLiteral("Cannot write file %1: %2").arg(path, e.message()));
    }
    if (result.cancelled) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        throw Error(QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()));
    return result;
}

} // namespace pagula::document
