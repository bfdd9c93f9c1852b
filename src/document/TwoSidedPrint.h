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

// Whether the printer turns sheets over their long edge by itself.
bool printsLongEdgeDuplex(const QPrinter& printer);

// One job, duplex over the long edge, front and back pages interleaved.
ExportResult printDuplex(const TwoSidedJob& job, QPrinter& printer,
                         const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
