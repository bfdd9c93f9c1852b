#include "document/TwoSidedPrint.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace pagula::document
{

TwoSidedJob::TwoSidedJob(const Document& front, const Document& back)
    : front_(front), back_(back), frontLayout_(layoutDocument(front)),
      backLayout_(layoutDocument(back)),
      sheets_(std::max(frontLayout_.pages.size(), backLayout_.pages.size()))
{
}

PageToPrint TwoSidedJob::frontPage(qsizetype sheet) const
{
    if (sheet < frontLayout_.pages.size())
        return {&front_, &frontLayout_.pages[sheet]};
    return {};
}

PageToPrint TwoSidedJob::backPage(qsizetype sheet) const
{
    if (sheet < backLayout_.pages.size())
        return {&back_, &backLayout_.pages[sheet]};
    return {};
}

QList<PageToPrint> TwoSidedJob::interleaved() const
{
    QList<PageToPrint> pages;
    for (qsizetype s = 0; s < sheets_; ++s)
        pages << frontPage(s) << backPage(s);
    return pages;
}

QList<PageToPrint> TwoSidedJob::fronts() const
{
    QList<PageToPrint> pages;
    for (qsizetype s = 0; s < sheets_; ++s)
        pages << frontPage(s);
    return pages;
}

QList<PageToPrint> TwoSidedJob::backs(SheetStacking stacking) const
{
    QList<PageToPrint> pages;
    for (qsizetype s = 0; s < sheets_; ++s)
        pages << backPage(stacking == SheetStacking::FaceDown ? s : sheets_ - 1 - s);
    return pages;
}

TwoSidedMode twoSidedModeFor(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return TwoSidedMode::Duplex;
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.printerName());
    return info.supportedDuplexModes().contains(QPrinter::DuplexLongSide) ? TwoSidedMode::Duplex
                                                                          : TwoSidedMode::ByHand;
}

ExportResult printDuplex(const TwoSidedJob& job, QPrinter& printer, const PrintOptions& options,
                         const ProgressCallback& progress)
{
    printer.setDuplex(QPrinter::DuplexLongSide);
    return printPages(job.interleaved(), printer, options, progress);
}

ExportResult printFronts(const TwoSidedJob& job, QPrinter& printer, const PrintOptions& options,
                         const ProgressCallback& progress)
{
    printer.setDuplex(QPrinter::DuplexNone);
    return printPages(job.fronts(), printer, options, progress);
}

ExportResult printBacks(const TwoSidedJob& job, SheetStacking stacking, QPrinter& printer,
                        const PrintOptions& options, const ProgressCallback& progress)
{
    printer.setDuplex(QPrinter::DuplexNone);
    return printPages(job.backs(stacking), printer, options, progress);
}

} // namespace pagula::document
