#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/FlowLayout.h"
#include "document/PrintJobOptions.h"

#include <QList>

class QPrinter;

namespace pagula::document
{

struct PrintOptions {
    // Pictures are prepared at the printer's resolution, but never above this.
    double maxPictureDpi = 300.0;
    BrokenPicture brokenPicture = BrokenPicture::UsePlaceholder;
};

// A page of a print job: a laid-out page of a document, or a blank page (no document).
struct PageToPrint {
    const Document* document = nullptr;
    const LaidOutPage* page = nullptr;
};

// Whether the printer can print the program's A4 pages at their size: a printer that lists its
// paper sizes lists A4 or takes custom sizes; one that lists none (a raw queue) passes the
// pages on as they are; a file always can.
bool takesA4(const QPrinter& printer);

// The job's request from what the print dialog left in the printer (copies, collation) and the
// sides the caller wants.
JobRequest jobRequestFor(const QPrinter& printer, Sides sides);

// Prints the pages, in the order given, as one job on a printer that the caller has set up
// (device, copies; a dialog belongs to the caller). Every page is A4 portrait at 100 %:
// - to a file (PDF output), the printer is switched to A4 portrait, full page;
// - to a queue of the print service, the pages go as an A4 PDF with the options of
//   jobOptions(), so the queue's default paper or a fit-to-page cannot change them. The job's
//   id is in the result (printJob).
// Throws PrintRefused when the print service does not take the job, pagula::common::Error when
// printing cannot start or fails; a cancel sends nothing.
ExportResult printPages(const QList<PageToPrint>& pages, QPrinter& printer,
                        const JobRequest& request, const PrintOptions& options = {},
                        const ProgressCallback& progress = {});

// Every page of the document, one-sided or as the print dialog chose its sides.
ExportResult printDocument(const Document& document, QPrinter& printer,
                           const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
