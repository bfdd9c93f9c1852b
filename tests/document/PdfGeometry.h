#pragma once

#include <QByteArray>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace pagula::document::test
{

// What a PDF page draws, read from its content streams: the box of every image (as clipped,
// in points from the page's top left corner) and every stroked straight line.
//
// This is how the word processor's own geometry is compared with ours: exact to the PDF's
// rounding, whatever the pictures' colours, with no rendering in between. It reads what
// LibreOffice writes (xref tables or not, Flate streams, nested form XObjects), not every PDF.
struct PdfStroke {
    QLineF line;
    double width = 0.0;
};

struct PdfPage {
    QSizeF size;
    QList<QRectF> images; // clipped to what shows, in drawing order
    QList<PdfStroke> strokes;
};

struct PdfGeometry {
    QList<PdfPage> pages;
    QString error; // empty when the file could be read
};

PdfGeometry readPdfGeometry(const QString& path);

} // namespace pagula::document::test
