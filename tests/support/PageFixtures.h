#pragma once

// PDF documents and HEIF photos made by the tests, sound or damaged in a chosen way.

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace pagula::test
{

// Page k holds its number as text and a band of pageColour(k); every fourth page is landscape,
// every third also holds a picture.
QByteArray mixedPdf(int pages);
QColor pageColour(int page);

// Same-length edits of mixedPdf() output: poppler cannot give the page, or it is 99999 points
// wide.
QByteArray withPageMissing(const QByteArray& pdf, int page);
QByteArray withPageHuge(const QByteArray& pdf, int page);
// The document behind a password that is not the empty one.
QByteArray encryptedPdf(const QByteArray& pdf);

// A HEIC photo of `stored` with irot/imir boxes that turn it as EXIF `orientation` would.
QByteArray heicPhoto(const QImage& stored, int orientation = 1);

} // namespace pagula::test
