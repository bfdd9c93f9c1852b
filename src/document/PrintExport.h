#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/FlowLayout.h"

#include <QList>

class QPrinter;

namespace pagula::document
{

struct PrintOptions {
    // Pictures are prepared at the printer's resolution, but never above this.
    double maxPictureDpi = 300.0;
    BrokenPicture brokenPicture = BrokenPicture::UsePlaceholder;
};

// Paints every page of the document on a printer that the caller has set up (device, copies;
// a dialog belongs to the caller). The printer is switched to A4 portrait, full page, so the
// page's points map onto the paper as laid out. Throws pagula::common::Error when printing cannot
// start or fails; a cancel aborts the print job.
ExportResult printDocument(const Document& document, QPrinter& printer,
                           const PrintOptions& options = {}, const ProgressCallback& progress = {});

// A page of a print job: a laid-out page of a document, or a blank page (no document).
struct PageToPrint {
    const Document* document = nullptr;
    const LaidOutPage* page = nullptr;
};

// printDocument over pages of any documents, in the order given, as one job.
ExportResult printPages(const QList<PageToPrint>& pages, QPrinter& printer,
                        const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
