#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/PackagePictures.h"

#include <QString>

namespace pagula::document
{

struct DocxOptions : PackageOptions {
};

// Saves the document as Office Open XML (Word's format): A4 pages with the document's margins,
// its paragraphs of inline pictures, each with its size, crop, brightness, contrast, colour type
// and border edges. Pictures are linked to their files (external relationships) unless the
// options store them in word/media; see PackagePictures. The progress counts one step per
// picture file and one for writing the package.
//
// Written through a temporary file that replaces `path` only on success: after an error or a
// cancel the previous file is unchanged and no temporary file remains. Throws
// pagula::common::Error. ExportResult::pagesWritten stays 0 (the word processor lays out the
// pages); failures lists the pictures that could not be read and are linked.
ExportResult saveDocx(const Document& document, const QString& path,
                      const DocxOptions& options = {}, const ProgressCallback& progress = {});

} // namespace pagula::document
