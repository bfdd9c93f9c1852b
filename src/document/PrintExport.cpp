#include "document/PrintExport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace pagula::document
{

ExportResult printDocument(const Document& document, QPrinter& printer, const PrintOptions& options,
                           const ProgressCallback& progress)
{
    const DocumentLayout layout = layoutDocument(document);
    QList<PageToPrint> pages;
    for (const LaidOutPage& page : layout.pages)
        pages.append({&document, &page});
    return printPages(pages, printer, options, progress);
}

ExportResult printPages(const QList<PageToPrint>& pages, QPrinter& printer,
                        const PrintOptions& options, const ProgressCallback& progress)
{
    const int count = static_cast<int>(pages.size());

    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Point));

    ExportResult result;
    QPainter painter;
    if (!painter.begin(&printer))
        throw common::Error(QStringLiteral("Cannot start printing"));

    const double scale = printer.resolution() / 72.0;
    RenderOptions render;
    render.pictureDpi = std::min<double>(printer.resolution(), options.maxPictureDpi);
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i + 1, count)) {
            printer.abort();
            painter.end();
            result.cancelled = true;
            return result;
        }
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw common::Error(QStringLiteral("Cannot print page %1").arg(i + 1));
        }
        const PageToPrint& page = pages[i];
        const QList<PictureFailure> failures =
            page.document ? renderPage(*page.document, *page.page, painter, scale, false, render)
                          : QList<PictureFailure>();
        if (!failures.isEmpty() && options.brokenPicture == BrokenPicture::Fail) {
            printer.abort();
            painter.end();
            const PictureFailure& f = failures.first();
            throw common::Error(QStringLiteral("Cannot draw picture %1: %2").arg(f.path, f.reason));
        }
        result.failures += failures;
        ++result.pagesWritten;
    }
    if (!painter.end())
        throw common::Error(QStringLiteral("Printing failed"));
    return result;
}

} // namespace pagula::document
