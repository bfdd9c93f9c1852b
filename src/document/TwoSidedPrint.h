#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/PrintExport.h"

#include <QList>

class QPrinter;

namespace pagula::document
{

// How a printer lays printed sheets in its output tray.
enum class SheetStacking { FaceDown, FaceUp };

// The sheets of a two-sided document: sheet s carries front page s and back page s; a side
// with fewer pages gets blank pages, so every back page stays on its front's sheet.
class TwoSidedJob
{
public:
    TwoSidedJob(const Document& front, const Document& back);

    int sheetCount() const { return static_cast<int>(sheets_); }
    // front 1, back 1, front 2, back 2 ...
    QList<PageToPrint> interleaved() const;
    QList<PageToPrint> fronts() const;
    // The backs in the order a stack turned over and put back feeds them: a stack laid face
    // down has sheet 1 at the bottom, so turned over it comes first; face up, it comes last.
    QList<PageToPrint> backs(SheetStacking stacking) const;

private:
    PageToPrint frontPage(qsizetype sheet) const;
    PageToPrint backPage(qsizetype sheet) const;

    const Document& front_;
    const Document& back_;
    DocumentLayout frontLayout_;
    DocumentLayout backLayout_;
    qsizetype sheets_ = 0;
};

// How both sides reach paper on a printer: one job that the printer prints duplex over the
// long edge (also when it prints to a file, which then holds the pages interleaved), or by
// hand: the fronts, the stack turned over and put back, then the backs.
enum class TwoSidedMode { Duplex, ByHand };
TwoSidedMode twoSidedModeFor(const QPrinter& printer);

// One job, duplex over the long edge, front and back pages interleaved.
ExportResult printDuplex(const TwoSidedJob& job, QPrinter& printer,
                         const PrintOptions& options = {}, const ProgressCallback& progress = {});
// By hand: the fronts as one job, one sided; then the backs as a second job.
ExportResult printFronts(const TwoSidedJob& job, QPrinter& printer,
                         const PrintOptions& options = {}, const ProgressCallback& progress = {});
ExportResult printBacks(const TwoSidedJob& job, SheetStacking stacking, QPrinter& printer,
                        const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
