#include "FuzzBodies.h"

#include "imaging/ByteSource.h"
#include "imaging/FormatDetect.h"
#include "imaging/HeifDecoder.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PcxDecoder.h"
#include "imaging/PdfDocument.h"
#include "imaging/Probe.h"
#include "imaging/QtReaderDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

namespace pagula::imaging::fuzz
{

// Where the pixel sums go, so that reading them cannot be optimised away.
volatile unsigned pixelSink = 0;

namespace
{

QByteArray view(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Reads every byte of every line that holds pixels, so that a decoder which hands out a
// picture shorter than it claims shows up under the address sanitizer.
void touchPixels(const QImage& image)
{
    if (image.isNull())
        return;
    const qsizetype used = (qsizetype(image.width()) * image.depth() + 7) / 8;
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (qsizetype x = 0; x < used; ++x)
            sum += line[x];
    }
    pixelSink = sum;
}

} // namespace

void startApplication(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "minimal");
    static QGuiApplication app(*argc, *argv);
}

void pcx(const uint8_t* data, size_t size)
{
    try {
        touchPixels(decodePcx(view(data, size)));
    } catch (const ImageError&) {
    }
}

void jpeg(const uint8_t* data, size_t size)
{
    // At a cell's size, or at 2048 pixels a side at least: pictures up to that decode at full
    // scale, larger ones reduced. Decoding the largest the limits allow (256 MiB) whole takes
    // long under the sanitizers and reaches no code that a smaller one does not.
    JpegDecodeOptions options;
    options.atLeast = size % 2 ? QSize(64, 64) : QSize(2048, 2048);
    try {
        touchPixels(decodeJpeg(view(data, size), options).image);
    } catch (const ImageError&) {
    }
}

void qtFormats(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    static constexpr ImageFormat formats[] = {ImageFormat::Png, ImageFormat::Bmp,
                                              ImageFormat::Gif, ImageFormat::Tiff,
                                              ImageFormat::Ico, ImageFormat::Webp};
    const ImageFormat format = formats[(data[0] & 0x7F) % 6];
    const QSize atLeast = (data[0] & 0x80) ? QSize(8, 8) : QSize();
    try {
        touchPixels(decodeWithQt(view(data + 1, size - 1), format, atLeast));
    } catch (const ImageError&) {
    }
}

void probe(const uint8_t* data, size_t size)
{
    const QByteArray bytes = view(data, size);
    try {
        const ImageInfo info = probeData(bytes);
        (void)info.sizeInPoints();
    } catch (const ImageError&) {
    }
    const MemorySource source(bytes);
    const ImageFormat format = detectFormat(bytes);
    (void)readOrientation(source, format);
}

void pdf(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(view(data, size));
    buffer.open(QIODevice::ReadOnly);
    try {
        const PdfDocument document(buffer, QString());
        const common::DocumentPageList pages = document.pageList(8);
        for (int page = 1; page <= std::min(pages.total, 2); ++page) {
            try {
                (void)document.pageInfo(page).sizeInPoints();
                touchPixels(document.render(page, QSize(48, 64), 2000));
            } catch (const ImageError&) {
            }
        }
    } catch (const ImageError&) {
    }
}

void heif(const uint8_t* data, size_t size)
{
    const QByteArray bytes = view(data, size);
    try {
        (void)probeHeif(MemorySource(bytes));
    } catch (const ImageError&) {
    }
    try {
        touchPixels(decodeHeif(bytes, size % 2 ? QSize(8, 8) : QSize()));
    } catch (const ImageError&) {
    }
}

} // namespace pagula::imaging::fuzz
