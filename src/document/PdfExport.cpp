#include "document/PdfExport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PdfCanvas.h"
#include "document/PdfWriter.h"

#include <QSaveFile>

#include <algorithm>
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
        throw common::Error(QStringLiteral("Picture resolution %1 dpi is out of range (30 to 1200)")
                                .arg(options.pictureDpi));
    if (options.jpegQuality < 1 || options.jpegQuality > 100)
        throw common::Error(
            QStringLiteral("JPEG quality %1 is out of range (1 to 100)").arg(options.jpegQuality));
}

// A page of the output: a laid-out page of a document, or a blank page (no document).
struct OutputPage {
    const Document* document = nullptr;
    const LaidOutPage* page = nullptr;
};

// The resolution a page's pictures are stored at.
double pictureDpiOf(const OutputPage& p, const PdfOptions& options)
{
    if (!p.document || options.smallPictureDpi <= options.pictureDpi)
        return options.pictureDpi;
    const QList<PlacedPicture> pictures = p.page->pictures();
    const double smallPoints = smallPictureMm / 25.4 * 72.0;
    const bool allSmall =
        std::all_of(pictures.begin(), pictures.end(), [&](const PlacedPicture& pp) {
            return std::min(pp.box.width(), pp.box.height()) <= smallPoints;
        });
    return allSmall ? std::min(options.smallPictureDpi, 1200.0) : options.pictureDpi;
}

std::unique_ptr<PictureSource> picturesOf(const OutputPage& p, const RenderOptions& render)
{
    return p.document ? picturesFor(*p.document, *p.page, render) : nullptr;
}

ExportResult writePages(const QList<OutputPage>& pages, QSizeF pageSize, QIODevice& out,
                        const PdfOptions& options, const ProgressCallback& progress)
{
    const int count = static_cast<int>(pages.size());

    ExportResult result;
    PdfWriter writer(out, options.jpegQuality);
    writer.setTitle(options.title);
    PdfCanvas canvas(writer);
    RenderOptions render;
    render.pictureDpi = options.pictureDpi;
    // The pictures are encoded where they are decoded, in parallel; this thread only writes.
    render.encoder = [quality = options.jpegQuality](const QImage& picture) {
        return PdfWriter::jpegStream(picture, quality);
    };
    const auto renderOf = [&render, &options](const OutputPage& p) {
        RenderOptions r = render;
        r.pictureDpi = pictureDpiOf(p, options);
        return r;
    };
    std::unique_ptr<PictureSource> next;
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i + 1, count)) {
            result.cancelled = true;
            return result;
        }
        const OutputPage& page = pages[i];
        const RenderOptions pageRender = renderOf(page);
        const std::unique_ptr<PictureSource> pictures =
            next ? std::move(next) : picturesOf(page, pageRender);
        next = i + 1 < count ? picturesOf(pages[i + 1], renderOf(pages[i + 1])) : nullptr;
        writer.beginPage(pageSize);
        writer.setEncodedPictures([source = pictures.get()](const QImage& picture) {
            return source ? source->encoded(picture) : QByteArray();
        });
        const QList<PictureFailure> failures =
            page.document ? renderPage(*page.document, *page.page, canvas, *pictures, pageRender)
                          : QList<PictureFailure>();
        if (!failures.isEmpty() && options.brokenPicture == BrokenPicture::Fail) {
            const PictureFailure& f = failures.first();
            throw common::Error(QStringLiteral("Cannot draw picture %1: %2").arg(f.path, f.reason));
        }
        result.failures += failures;
        writer.endPage();
        writer.setEncodedPictures({});
        ++result.pagesWritten;
    }
    writer.finish();
    return result;
}

template <typename Write>
ExportResult saveThrough(const QString& path, const PdfOptions& options, Write write)
{
    checkOptions(options);
    // Unbuffered, so that a write that fails gives the system's reason and none is left for
    // commit() to ignore (see common::writeFully).
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw common::Error(
            QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));

    ExportResult result;
    try {
        result = write(file);
    } catch (const PdfWriteError& e) {
        file.cancelWriting();
        throw common::Error(QStringLiteral("Cannot write file %1: %2").arg(path, e.message()));
    }
    if (result.cancelled) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        throw common::Error(
            QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()));
    return result;
}

} // namespace

ExportResult writePdf(const Document& document, QIODevice& out, const PdfOptions& options,
                      const ProgressCallback& progress)
{
    checkOptions(options);
    const DocumentLayout layout = layoutDocument(document);
    QList<OutputPage> pages;
    for (const LaidOutPage& page : layout.pages)
        pages.append({&document, &page});
    return writePages(pages, layout.pageSize, out, options, progress);
}

ExportResult writeInterleavedPdf(const Document& front, const Document& back, QIODevice& out,
                                 const PdfOptions& options, const ProgressCallback& progress)
{
    checkOptions(options);
    const DocumentLayout frontLayout = layoutDocument(front);
    const DocumentLayout backLayout = layoutDocument(back);
    const qsizetype sheets = std::max(frontLayout.pages.size(), backLayout.pages.size());
    QList<OutputPage> pages;
    for (qsizetype s = 0; s < sheets; ++s) {
        pages.append(s < frontLayout.pages.size() ? OutputPage{&front, &frontLayout.pages[s]}
                                                  : OutputPage{});
        pages.append(s < backLayout.pages.size() ? OutputPage{&back, &backLayout.pages[s]}
                                                 : OutputPage{});
    }
    return writePages(pages, frontLayout.pageSize, out, options, progress);
}

ExportResult savePdf(const Document& document, const QString& path, const PdfOptions& options,
                     const ProgressCallback& progress)
{
    return saveThrough(path, options, [&](QIODevice& file) {
        return writePdf(document, file, options, progress);
    });
}

ExportResult saveInterleavedPdf(const Document& front, const Document& back, const QString& path,
                                const PdfOptions& options, const ProgressCallback& progress)
{
    return saveThrough(path, options, [&](QIODevice& file) {
        return writeInterleavedPdf(front, back, file, options, progress);
    });
}

} // namespace pagula::document
