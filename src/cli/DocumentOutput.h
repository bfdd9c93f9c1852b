#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

#include <QString>

namespace pagula::cli {

// Throws pagula::Error when the file name's extension names no format that can be written.
void checkOutputFormat(const QString& path);

// Writes a document in the format its file name's extension names (.pdf). Throws
// pagula::Error for an unknown extension or a failed write; the previous file then stays.
document::ExportResult saveDocument(const document::Document& document, const QString& path,
                                    double pictureDpi, const document::ProgressCallback& progress);

} // namespace pagula::cli
