#pragma once

// PDF documents and HEIF photos made by the tests, sound or damaged in a chosen way.

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace pagula::test
{

// A document of `pages` pages as a word processor or a scanner writes them: page k holds its
// number as text and a band of pageColour(k); every fourth page is landscape, every third
// also holds a picture of four coloured quadrants.
QByteArray mixedPdf(int pages);
QColor pageColour(int page);

// Same-length edits of mixedPdf() output: poppler cannot give the page (its entry in the page
// tree names an object that does not exist), or the page is 99999 points wide.
QByteArray withPageMissing(const QByteArray& pdf, int page);
QByteArray withPageHuge(const QByteArray& pdf, int page);
// The document behind a password that is not the empty one.
QByteArray encryptedPdf(const QByteArray& pdf);

// A HEIC photo of `stored`, with irot/imir boxes that turn it as EXIF orientation
// `orientation` (1..8) would.
QByteArray heicPhoto(const QImage& stored, int orientation = 1);

} // namespace pagula::test
