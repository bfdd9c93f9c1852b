#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

#include <QIODevice>
#include <QString>

namespace pagula::document
{

// Pictures whose box is at most this many millimetres on its shorter side are small: from three
// cells across an A4 page on.
constexpr double smallPictureMm = 75.0;

struct PdfOptions {
    double pictureDpi = 300.0; // 30 to 1200
    int jpegQuality = 90;
    BrokenPicture brokenPicture = BrokenPicture::Fail;
    QString title; // the document's Title when not empty
    // A page whose pictures are all small (smallPictureMm or less on their shorter side) gets
    // its pictures at this resolution when it is higher: small print stays legible on a
    // 600-dpi printer. 0: every page at pictureDpi.
    double smallPictureDpi = 600.0;
};

// Writes the document as a PDF with A4 pages, one page rendered at a time. Throws
// pagula::common::Error on a write failure or (BrokenPicture::Fail) a picture that cannot be drawn.
// A cancel leaves the device with an incomplete file.
ExportResult writePdf(const Document& document, QIODevice& out, const PdfOptions& options = {},
                      const ProgressCallback& progress = {});

// Saves the PDF through a temporary file that replaces `path` only when everything succeeded:
// after an error or a cancel the previous file is unchanged and no temporary file remains.
ExportResult savePdf(const Document& document, const QString& path, const PdfOptions& options = {},
                     const ProgressCallback& progress = {});

// Both sides of a two-sided document as one PDF for printing two-sided: front 1, back 1,
// front 2, back 2 ... A blank page stands in for a page one side lacks, so every back page
// stays on the sheet of its front page.
ExportResult writeInterleavedPdf(const Document& front, const Document& back, QIODevice& out,
                                 const PdfOptions& options = {},
                                 const ProgressCallback& progress = {});
ExportResult saveInterleavedPdf(const Document& front, const Document& back, const QString& path,
                                const PdfOptions& options = {},
                                const ProgressCallback& progress = {});

} // namespace pagula::document
