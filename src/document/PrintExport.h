#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

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
// page's points map onto the paper as laid out. Throws pagula::Error when printing cannot
// start or fails; a cancel aborts the print job.
ExportResult printDocument(const Document& document, QPrinter& printer,
                           const PrintOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
