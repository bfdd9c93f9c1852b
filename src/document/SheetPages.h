#pragma once

#include "document/Document.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;

namespace pagula::document::sheets
{

// Pages that the program draws itself for printers (the calibration sheet, the test print of
// numbered sides): A4 pictures at PictureDpi, drawn in millimetres, saved as PNG files and
// placed whole on the pages of a document without margins.

constexpr double PageWidthMm = 210.0;
constexpr double PageHeightMm = 297.0;
constexpr int PictureDpi = 300;

// A white A4 page; throws pagula::common::Error when there is no memory for it.
QImage blankPage();
// Begins painting on the page in millimetres with a 0.2 mm black pen.
void beginMm(QPainter& painter, QImage& page);
// Text in a box of the page, in mm, heightMm high, in DejaVu Sans.
void drawText(QPainter& painter, const QRectF& boxMm, const QString& text, double heightMm,
              bool bold = false, int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop);
// Writes the page as `name` into `folder` (made when missing); returns its path. Throws
// pagula::common::Error when it cannot.
QString writePage(const QImage& page, const QString& folder, const QString& name);
// A document whose pages are the given page pictures, in order.
std::shared_ptr<Document> pagesDocument(const QStringList& pictures);

} // namespace pagula::document::sheets
