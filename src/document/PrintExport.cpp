#include "document/PrintExport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PrintQueue.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <algorithm>

namespace pagula::document
{

namespace
{

// The key under which Qt's print engine for CUPS keeps the options its print dialog chose
// (QPrintEngine::PPK_CupsOptions of Qt's own CUPS support).
constexpr auto DialogOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList dialogOptions(QPrinter& printer)
{
    return printer.printEngine() ? printer.printEngine()->property(DialogOptionsKey).toStringList()
                                 : QStringList();
}

ExportResult paintPages(const QList<PageToPrint>& pages, QPrinter& printer,
                        const PrintOptions& options, const ProgressCallback& progress)
{
    const int count = static_cast<int>(pages.size());

    printer.setFullPage(true);
    if (!printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(0, 0, 0, 0), QPageLayout::Point)))
        throw common::Error(QStringLiteral("Cannot set the printer to A4"));

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

Sides dialogSides(const QPrinter& printer)
{
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return Sides::TwoSidedLongEdge;
    case QPrinter::DuplexShortSide:
        return Sides::TwoSidedShortEdge;
    case QPrinter::DuplexNone:
        break;
    }
    return Sides::OneSided;
}

} // namespace

bool takesA4(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return true;
    const QPrinterInfo info(printer);
    const QList<QPageSize> sizes = info.supportedPageSizes();
    if (sizes.isEmpty() || info.supportsCustomPageSizes())
        return true;
    const QPageSize a4(QPageSize::A4);
    return std::any_of(sizes.begin(), sizes.end(), [&](const QPageSize& size) {
        return size.id() == QPageSize::A4 || size.isEquivalentTo(a4);
    });
}

JobRequest jobRequestFor(const QPrinter& printer, Sides sides)
{
    JobRequest request;
    request.sides = sides;
    request.copies = std::max(1, printer.copyCount());
    request.collate = printer.collateCopies();
    return request;
}

ExportResult printPages(const QList<PageToPrint>& pages, QPrinter& printer,
                        const JobRequest& request, const PrintOptions& options,
                        const ProgressCallback& progress)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return paintPages(pages, printer, options, progress);

    // The pages become a PDF of the program's own, sent with options of its own: Qt's print
    // engine would send the queue's default paper and report a refused job as printed.
    QTemporaryDir folder;
    if (!folder.isValid())
        throw common::Error(QStringLiteral("Cannot create a temporary folder for printing"));
    const QString path = folder.filePath(QStringLiteral("job.pdf"));
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setDocName(printer.docName());
    pdf.setCreator(printer.creator());
    ExportResult result = paintPages(pages, pdf, options, progress);
    if (result.cancelled)
        return result;
    result.printJob = submitPdf(printer.printerName(), path, printer.docName(),
                                jobOptions(dialogOptions(printer), request));
    return result;
}

ExportResult printDocument(const Document& document, QPrinter& printer, const PrintOptions& options,
                           const ProgressCallback& progress)
{
    const DocumentLayout layout = layoutDocument(document);
    QList<PageToPrint> pages;
    for (const LaidOutPage& page : layout.pages)
        pages.append({&document, &page});
    return printPages(pages, printer, jobRequestFor(printer, dialogSides(printer)), options,
                      progress);
}

} // namespace pagula::document
