#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace pagula::document::test
{

// A picture of one colour, or of a left and a right half, saved as a file for a test.
QImage solidImage(QSize size, QColor color);
QImage halvesImage(QSize size, QColor left, QColor right);
// Saves with a stated resolution (dots per inch) and returns the path.
QString savePictureFile(const QImage& image, const QString& path, double dpi = 96.0,
                        const char* format = nullptr);

// A picture item of a given displayed size that links to no file (layout tests).
InlinePicture pictureOfSize(double width, double height, const QString& path = QStringLiteral("x"));

// Document content written as text: 'P' a picture of the next size in `sizes`, '|' a paragraph
// mark, '/' a line break, '#' a page break.
Document documentFrom(const char* content, const QList<QSizeF>& sizes, QMarginsF margins);

// Runs a command line tool and returns its standard output; empty with a test failure when it
// does not run or fails.
QString runTool(const QString& program, const QStringList& arguments);

} // namespace pagula::document::test
