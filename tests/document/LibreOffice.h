#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace pagula::document::test
{

// Converts an ODT or DOCX file to PDF with LibreOffice (soffice --headless --convert-to pdf),
// in a user profile of this test process and with a time limit, and logs the wall time.
// Returns the PDF's path; fails the test and returns an empty string when soffice is missing,
// fails or takes too long.
QString convertToPdf(const QString& file, const QString& outputFolder);

// The same for many files in one soffice call, which starts LibreOffice once: the PDFs' paths
// in the order of the files, an empty string for each that was not converted.
QStringList convertAllToPdf(const QStringList& files, const QString& outputFolder);

// Renders one page (from 1) of a PDF with pdftoppm; a null image with a test failure when that
// does not work.
QImage renderPdfPage(const QString& pdf, int page, int dpi);

} // namespace pagula::document::test
