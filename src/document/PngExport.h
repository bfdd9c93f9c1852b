#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

#include <QString>
#include <QStringList>

namespace pagula::document
{

struct PngOptions {
    double dpi = 150.0; // 10 to 600
    BrokenPicture brokenPicture = BrokenPicture::Fail;
};

// The file of each page: a one-page document uses `path` itself; with more pages the page
// number, padded to the width of the count, goes before the extension ("sheet-07.png").
QStringList pngPagePaths(const QString& path, int pageCount);

// Saves every page as a PNG at the resolution. Pages are rendered one at a time into
// temporary files beside their targets, and the targets are replaced only after every page
// succeeded: after an error or a cancel all previous files are unchanged and no temporary
// file remains. Throws pagula::common::Error.
ExportResult savePngPages(const Document& document, const QString& path,
                          const PngOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
