#pragma once

#include "common/Error.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <vector>

namespace pagula::document
{

// The device refused data; message() is the device's reason.
class PdfWriteError : public common::Error
{
public:
    using common::Error::Error;
};

// A small PDF 1.4 writer that streams pages to a device: each picture is written as soon as it
// is drawn, so memory holds one page's drawing commands, never the document. Coordinates are
// points from the top left of the page.
//
// Pictures keep their kind: Format_Mono as 1-bit, Format_Grayscale8 as 8-bit grey, the rest as
// RGB; grey and colour pictures as JPEG (DCT) at the given quality, 1-bit ones deflated.
// (Qt's own PDF engine stores every picture of more than one bit as RGB.)
//
// Every failed write throws PdfWriteError.
class PdfWriter
{
public:
    explicit PdfWriter(QIODevice& out, int jpegQuality = 90);

    // The document's Title in its information dictionary; none when empty.
    void setTitle(const QString& title) { title_ = title; }
    // The JPEG stream the writer stores for a picture; empty for the pictures it deflates
    // (black and white) or converts first. Any thread may call it.
    static QByteArray jpegStream(const QImage& picture, int quality);
    // Where pictures already encoded elsewhere (by jpegStream, on the decoding threads) are
    // found; an empty answer has the writer encode the picture itself.
    using EncodedPictures = std::function<QByteArray(const QImage& picture)>;
    void setEncodedPictures(EncodedPictures encoded) { encoded_ = std::move(encoded); }

    void beginPage(QSizeF pageSizePoints);
    void drawImage(const QRectF& box, const QImage& image);
    // grey: 0 black to 1 white.
    void fillRect(const QRectF& area, double grey);
    void strokeLine(QPointF from, QPointF to, double width, double grey);
    void endPage();
    // Writes the page tree, the cross-reference table and the trailer.
    void finish();

    int pageCount() const { return static_cast<int>(pageObjects_.size()); }

private:
    int newObject();
    void beginObject(int object);
    void writeStream(int object, const QByteArray& dictionary, const QByteArray& data);
    int writeImage(const QImage& image);
    void write(const QByteArray& bytes);

    QIODevice& out_;
    int jpegQuality_;
    qint64 written_ = 0;
    std::vector<qint64> offsets_; // by object number; [0] unused
    std::vector<int> pageObjects_;
    bool inPage_ = false;
    QSizeF pageSize_;
    QString title_;
    QByteArray content_;
    QList<int> pageImages_;
    // The same picture drawn again (the filler in every strip) is written once.
    QHash<qint64, int> writtenImages_;
    EncodedPictures encoded_;
};

} // namespace pagula::document
