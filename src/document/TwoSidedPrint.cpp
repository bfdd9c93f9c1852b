#include "document/TwoSidedPrint.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace pagula::document
{

TwoSidedJob::TwoSidedJob(const Document& front, const Document& back)
    : frontLayout_(layoutDocument(front)), backLayout_(layoutDocument(back))
{
    addPages(front, frontLayout_, 0, 1, fronts_);
    addPages(back, backLayout_, 0, 1, backs_);
    padToSameLength();
}

TwoSidedJob::TwoSidedJob(const Document& sheets) : frontLayout_(layoutDocument(sheets))
{
    addPages(sheets, frontLayout_, 0, 2, fronts_);
    addPages(sheets, frontLayout_, 1, 2, backs_);
    padToSameLength();
}

void TwoSidedJob::addPages(const Document& document, const DocumentLayout& layout, qsizetype first,
                           qsizetype step, QList<PageToPrint>& side)
{
    for (qsizetype p = first; p < layout.pages.size(); p += step)
        side.append({&document, &layout.pages[p]});
}

void TwoSidedJob::padToSameLength()
{
    const qsizetype sheets = std::max(fronts_.size(), backs_.size());
    fronts_.resize(sheets);
    backs_.resize(sheets);
}

QList<PageToPrint> TwoSidedJob::interleaved() const
{
    QList<PageToPrint> pages;
    for (qsizetype s = 0; s < fronts_.size(); ++s)
        pages << fronts_[s] << backs_[s];
    return pages;
}

QList<PageToPrint> TwoSidedJob::backs(StackReturn stack) const
{
    QList<PageToPrint> pages = backs_;
    if (stack == StackReturn::AsItLay)
        std::reverse(pages.begin(), pages.end());
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
    return printPages(job.interleaved(), printer, jobRequestFor(printer, Sides::TwoSidedLongEdge),
                      options, progress);
}

ExportResult printFronts(const TwoSidedJob& job, QPrinter& printer, const PrintOptions& options,
                         const ProgressCallback& progress)
{
    printer.setDuplex(QPrinter::DuplexNone);
    JobRequest request = jobRequestFor(printer, Sides::OneSided);
    request.pagesInSentOrder = true;
    return printPages(job.fronts(), printer, request, options, progress);
}

ExportResult printBacks(const TwoSidedJob& job, StackReturn stack, QPrinter& printer,
                        const PrintOptions& options, const ProgressCallback& progress)
{
    printer.setDuplex(QPrinter::DuplexNone);
    JobRequest request = jobRequestFor(printer, Sides::OneSided);
    request.pagesInSentOrder = true;
    return printPages(job.backs(stack), printer, request, options, progress);
}

} // namespace pagula::document
