#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

#include <QString>

namespace pagula::cli
{

// The formats pagula-compose writes, named by the output file's extension.
enum class OutputFormat { Pdf, Odt, Docx };

// Throws pagula::common::Error when the file name's extension names no format that can be written.
OutputFormat outputFormat(const QString& path);
void checkOutputFormat(const QString& path);

// What the progress of writing a format counts: pages of a PDF, steps (picture files and the
// package) of an ODT or DOCX.
QString progressUnit(const QString& path);

// Writes a document in the format its file name's extension names (.pdf, .odt, .docx). PDF
// pictures are drawn at pictureDpi (0: the PDF options' own rule); ODT and DOCX link to the picture
// files unless embedPictures stores them in the file. For ODT and DOCX, pagesWritten is the number
// of pages a word processor lays the file out into. Throws pagula::common::Error for an unknown
// extension or a failed write; the previous file then stays.
document::ExportResult saveDocument(const document::Document& document, const QString& path,
                                    double pictureDpi, bool embedPictures,
                                    const document::ProgressCallback& progress);

// Both sides as one PDF, pages interleaved for printing two-sided (front 1, back 1, ...).
document::ExportResult saveBothSides(const document::Document& front,
                                     const document::Document& back, const QString& path,
                                     double pictureDpi, const document::ProgressCallback& progress);

} // namespace pagula::cli
