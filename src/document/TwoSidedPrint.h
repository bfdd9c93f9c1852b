#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/PrintExport.h"

#include <QList>

class QPrinter;

namespace pagula::document
{

// Putting the printed fronts back for the second pass of two-sided printing by hand.
//
// A printer feeds the top sheet of its input tray first and prints the page's head at the
// sheet's leading edge. Turned over the long edge, a back page has its head at the same edge
// as its front, so each sheet must go back in with the front's head leading again (the edge
// that left the printer first) and its blank side where the printer prints. Whether that
// takes turning the stack over depends on the printer, not on the program:
//   output tray    printer prints on the side facing  blank sides of the stack  so the stack
//   face down      down (most laser cassettes)         up                        is turned over
//   face up        up (rear feeders, most inkjets)     down                      is turned over
//   face down      up (manual feed slots)              up already                stays as it lay
//   face up        down                                down already              stays as it lay
// Printed face down, the stack has the last sheet on top and sheet 1 at the bottom; printed
// face up, the same, each sheet having landed on the one before. Turned over, sheet 1 comes
// on top whichever way the tray laid the sheets, so the backs go first to last; left as it
// lay, the last sheet is on top and the backs go last to first. (The fronts are sent with
// their pages in the order given, so a driver that reverses pages for a face-up tray does not
// change this.)
enum class StackReturn { TurnedOver, AsItLay };

// The sheets of a two-sided print: sheet s carries front page s and back page s; a side with
// fewer pages gets blank pages, so every back page stays on its front's sheet.
class TwoSidedJob
{
public:
    // The front side's and the back side's document of a two-sided run.
    TwoSidedJob(const Document& front, const Document& back);
    // One document whose pages alternate front, back, front ... (the calibration sheet, the
    // test print of numbered sides).
    explicit TwoSidedJob(const Document& sheets);

    int sheetCount() const { return static_cast<int>(fronts_.size()); }
    // front 1, back 1, front 2, back 2 ...
    QList<PageToPrint> interleaved() const;
    QList<PageToPrint> fronts() const { return fronts_; }
    // The backs in the order the returned stack feeds them (see StackReturn).
    QList<PageToPrint> backs(StackReturn stack) const;

private:
    void addPages(const Document& document, const DocumentLayout& layout, qsizetype first,
                  qsizetype step, QList<PageToPrint>& side);
    void padToSameLength();

    DocumentLayout frontLayout_;
    DocumentLayout backLayout_;
    QList<PageToPrint> fronts_;
    QList<PageToPrint> backs_;
};

// How both sides reach paper on a printer: one job that the printer prints duplex over the
// long edge (also when it prints to a file, which then holds the pages interleaved), or by
// hand: the fronts, the stack put back, then the backs.
enum class TwoSidedMode { Duplex, ByHand };
TwoSidedMode twoSidedModeFor(const QPrinter& printer);

// One job, duplex over the long edge, front and back pages interleaved.
ExportResult printDuplex(const TwoSidedJob& job, QPrinter& printer,
                         const PrintOptions& options = {}, const ProgressCallback& progress = {});
// By hand: the fronts as one job, one sided, pages in the order sent; then the backs as a
// second job.
ExportResult printFronts(const TwoSidedJob& job, QPrinter& printer,
                         const PrintOptions& options = {}, const ProgressCallback& progress = {});
ExportResult printBacks(const TwoSidedJob& job, StackReturn stack, QPrinter& printer,
                        const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
