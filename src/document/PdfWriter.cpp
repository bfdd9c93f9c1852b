#include "document/PdfWriter.h"

#include "imaging/JpegEncoder.h"

#include <cmath>

namespace pagula::document
{

namespace
{

constexpr int CatalogObject = 1;
constexpr int PagesObject = 2;

QByteArray num(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    if (text == "-0")
        text = "0";
    return text;
}

QByteArray deflate(const QByteArray& data)
{
    // qCompress gives a zlib stream behind a four-byte length, and FlateDecode reads zlib.
    return qCompress(data, 6).mid(4);
}

// 1-bit rows packed without QImage's 32-bit row padding; 0 is black, as in DeviceGray.
QByteArray packedBits(const QImage& mono, bool& inverted)
{
    inverted = qGray(mono.color(0)) > qGray(mono.color(1));
    const int bytesPerRow = (mono.width() + 7) / 8;
    QByteArray data;
    data.reserve(bytesPerRow * mono.height());
    for (int y = 0; y < mono.height(); ++y)
        data.append(reinterpret_cast<const char*>(mono.constScanLine(y)), bytesPerRow);
    return data;
}

// One bit per pixel, black and white in either order: stored as a 1-bit grey image.
bool isBlackAndWhite(const QImage& image)
{
    if (image.depth() != 1 || image.colorCount() != 2)
        return false;
    const int a = qGray(image.color(0));
    const int b = qGray(image.color(1));
    return (a == 0 && b == 255) || (a == 255 && b == 0);
}

QByteArray encodedJpeg(const QImage& image, int quality)
{
    return imaging::encodeJpeg(image, quality);
}

QByteArray rawSamples(const QImage& image, bool grey)
{
    QByteArray data;
    data.reserve(image.width() * image.height() * (grey ? 1 : 3));
    for (int y = 0; y < image.height(); ++y) {
        if (grey) {
            data.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width());
            continue;
        }
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            data.append(char(qRed(row[x])));
            data.append(char(qGreen(row[x])));
            data.append(char(qBlue(row[x])));
        }
    }
    return data;
}

} // namespace

QByteArray PdfWriter::jpegStream(const QImage& picture, int quality)
{
    const bool stored =
        picture.format() == QImage::Format_Grayscale8 || picture.format() == QImage::Format_RGB32;
    return stored ? encodedJpeg(picture, quality) : QByteArray();
}

PdfWriter::PdfWriter(QIODevice& out, int jpegQuality)
    : out_(out), jpegQuality_(jpegQuality), offsets_(3, 0)
{
    // The binary comment tells transfer programs that the file is not text.
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

int PdfWriter::newObject()
{
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size()) - 1;
}

void PdfWriter::beginObject(int object)
{
    offsets_[static_cast<size_t>(object)] = written_;
    write(QByteArray::number(object) + " 0 obj\n");
}

void PdfWriter::writeStream(int object, const QByteArray& dictionary, const QByteArray& data)
{
    beginObject(object);
    write("<<" + dictionary + " /Length " + QByteArray::number(data.size()) + ">>\nstream\n");
    write(data);
    write("\nendstream\nendobj\n");
}

void PdfWriter::write(const QByteArray& bytes)
{
    // A device may take part of the data; the next write then tells why it stopped.
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = out_.write(data, left);
        if (n <= 0)
            throw PdfWriteError(out_.errorString());
        data += n;
        left -= n;
    }
    written_ += bytes.size();
}

void PdfWriter::beginPage(QSizeF pageSizePoints)
{
    if (inPage_)
        endPage();
    inPage_ = true;
    pageSize_ = pageSizePoints;
    pageImages_.clear();
    // Page coordinates from the top left, y downwards.
    content_ = "1 0 0 -1 0 " + num(pageSize_.height()) + " cm\n";
}

int PdfWriter::writeImage(const QImage& source)
{
    const int object = newObject();
    QByteArray dictionary = "/Type /XObject /Subtype /Image /Width " +
                            QByteArray::number(source.width()) + " /Height " +
                            QByteArray::number(source.height());
    if (isBlackAndWhite(source)) {
        const QImage mono = source.convertToFormat(QImage::Format_Mono);
        bool inverted = false;
        const QByteArray bits = packedBits(mono, inverted);
        dictionary += " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /FlateDecode";
        if (inverted)
            dictionary += " /Decode [1 0]";
        writeStream(object, dictionary, deflate(bits));
        return object;
    }

    // Other 1-bit pictures (a coloured palette) go as colour.
    const bool grey = source.format() == QImage::Format_Grayscale8;
    const QImage image =
        source.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    dictionary += grey ? " /ColorSpace /DeviceGray" : " /ColorSpace /DeviceRGB";
    dictionary += " /BitsPerComponent 8";
    QByteArray jpeg = encoded_ ? encoded_(image) : QByteArray();
    if (jpeg.isEmpty())
        jpeg = encodedJpeg(image, jpegQuality_);
    if (!jpeg.isEmpty()) {
        writeStream(object, dictionary + " /Filter /DCTDecode", jpeg);
    } else {
        // The encoder failed (out of memory): lossless instead.
        writeStream(object, dictionary + " /Filter /FlateDecode", deflate(rawSamples(image, grey)));
    }
    return object;
}

void PdfWriter::drawImage(const QRectF& box, const QImage& image)
{
    if (image.isNull() || box.isEmpty())
        return;
    int object = writtenImages_.value(image.cacheKey());
    if (object == 0) {
        object = writeImage(image);
        writtenImages_.insert(image.cacheKey(), object);
    }
    if (!pageImages_.contains(object))
        pageImages_.append(object);
    // The image's first row maps to the top of the box in the flipped page coordinates.
    content_ += "q " + num(box.width()) + " 0 0 " + num(-box.height()) + " " + num(box.left()) +
                " " + num(box.bottom()) + " cm /Im" + QByteArray::number(object) + " Do Q\n";
}

void PdfWriter::fillRect(const QRectF& area, double grey)
{
    content_ += num(grey) + " g " + num(area.x()) + " " + num(area.y()) + " " + num(area.width()) +
                " " + num(area.height()) + " re f\n";
}

void PdfWriter::strokeLine(QPointF from, QPointF to, double width, double grey)
{
    content_ += num(grey) + " G " + num(width) + " w " + num(from.x()) + " " + num(from.y()) +
                " m " + num(to.x()) + " " + num(to.y()) + " l S\n";
}

void PdfWriter::endPage()
{
    if (!inPage_)
        return;
    inPage_ = false;
    const int contents = newObject();
    writeStream(contents, "/Filter /FlateDecode", deflate(content_));
    content_.clear();

    QByteArray images;
    for (const int image : pageImages_)
        images += " /Im" + QByteArray::number(image) + " " + QByteArray::number(image) + " 0 R";
    const int page = newObject();
    beginObject(page);
    write("<</Type /Page /Parent 2 0 R /MediaBox [0 0 " + num(pageSize_.width()) + " " +
          num(pageSize_.height()) + "] /Resources <</XObject <<" + images + ">> >> /Contents " +
          QByteArray::number(contents) + " 0 R>>\nendobj\n");
    pageObjects_.push_back(page);
}

void PdfWriter::finish()
{
    endPage();
    QByteArray kids;
    for (const int page : pageObjects_)
        kids += QByteArray::number(page) + " 0 R ";
    beginObject(PagesObject);
    write("<</Type /Pages /Kids [" + kids + "] /Count " +
          QByteArray::number(static_cast<int>(pageObjects_.size())) + ">>\nendobj\n");
    beginObject(CatalogObject);
    write("<</Type /Catalog /Pages 2 0 R>>\nendobj\n");
    const int info = newObject();
    beginObject(info);
    QByteArray title;
    if (!title_.isEmpty()) {
        // A text string in UTF-16BE with its byte order mark, as hex: any character, no escapes.
        QByteArray utf16("\xfe\xff", 2);
        for (const QChar c : title_)
            utf16.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
        title = " /Title <" + utf16.toHex() + ">";
    }
    write("<</Producer (Pagula)" + title + ">>\nendobj\n");

    const qint64 xref = written_;
    QByteArray table = "xref\n0 " + QByteArray::number(offsets_.size()) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < offsets_.size(); ++i)
        table += QByteArray::number(offsets_[i]).rightJustified(10, '0') + " 00000 n \n";
    write(table);
    write("trailer\n<</Size " + QByteArray::number(offsets_.size()) + " /Root 1 0 R /Info " +
          QByteArray::number(info) + " 0 R>>\nstartxref\n" + QByteArray::number(xref) +
          "\n%%EOF\n");
}

} // namespace pagula::document
