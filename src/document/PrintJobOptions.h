#pragma once

#include "document/PrintQueue.h"

#include <QStringList>

namespace pagula::document
{

enum class Sides { OneSided, TwoSidedLongEdge, TwoSidedShortEdge };

// What a print job of the program asks of the print service beyond the print dialog's choices.
struct JobRequest {
    Sides sides = Sides::OneSided;
    int copies = 1;
    bool collate = false;
    // The printer prints the pages in the order sent, even where its driver would reverse
    // them for a face-up tray: the manual two-pass relies on knowing which sheet comes first.
    bool pagesInSentOrder = false;
};

// The options of a job: the print dialog's own (`dialogOptions`: name, value, name, value ...)
// without those that would change the pages' size, scale, selection, sides or order, then
// A4 paper at 100 % ("media", "print-scaling", "fit-to-page"), the sides, the copies. A
// document of the program is A4 and prints whole: a page range, a page set (odd or even
// pages only) or several pages per sheet would break the sheets apart from their backs, and a
// printer's fit-to-page would move every cell.
JobOptions jobOptions(const QStringList& dialogOptions, const JobRequest& request);

} // namespace pagula::document
