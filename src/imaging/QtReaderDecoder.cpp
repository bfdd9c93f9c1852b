#include "imaging/QtReaderDecoder.h"

#include "imaging/LibraryMessages.h"
#include "imaging/Limits.h"

#include <QBuffer>
#include <QImageReader>

#include <cmath>
#include <mutex>

namespace pagula::imaging
{

namespace
{

QByteArray readerFormat(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Png:
        return "png";
    case ImageFormat::Bmp:
        return "bmp";
    case ImageFormat::Gif:
        return "gif";
    case ImageFormat::Tiff:
        return "tiff";
    case ImageFormat::Ico:
        return "ico";
    case ImageFormat::Jpeg:
        return "jpeg";
    case ImageFormat::Webp:
        return "webp";
    case ImageFormat::Pcx:
    case ImageFormat::Heif:
    case ImageFormat::Pdf:
    case ImageFormat::Unknown:
        break;
    }
    return {};
}

void setUpReaders()
{
    // Qt's own limit can be raised by an environment variable; ours holds regardless.
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(limits::qtAllocationLimitMiB); });
    catchLibraryMessages();
}

// The reason as the reader gives it, with the library's own where it gave one.
QString withLibraryReason(const QString& reason)
{
    const QString library = libraryError();
    return library.isEmpty() ? reason : QStringLiteral("%1 (%2)").arg(reason, library);
}

} // namespace

QSize reducedDecodeSize(QSize full, QSize atLeast)
{
    if (atLeast.isEmpty() || atLeast.width() * 2 > full.width() ||
        atLeast.height() * 2 > full.height())
        return {};
    const double factor =
        std::max(double(atLeast.width()) / full.width(), double(atLeast.height()) / full.height());
    return QSize(std::max(atLeast.width(), int(std::ceil(full.width() * factor))),
                 std::max(atLeast.height(), int(std::ceil(full.height() * factor))));
}

namespace
{

bool isGreyPalette(const QList<QRgb>& table)
{
    for (QRgb c : table) {
        if (qAlpha(c) != 255 || qRed(c) != qGreen(c) || qGreen(c) != qBlue(c))
            return false;
    }
    return !table.isEmpty();
}

bool hasTransparentEntry(const QList<QRgb>& table)
{
    for (QRgb c : table) {
        if (qAlpha(c) != 255)
            return true;
    }
    return false;
}

} // namespace

QImage toOutputFormat(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return image;
    case QImage::Format_MonoLSB:
        return image.convertToFormat(QImage::Format_Mono);
    case QImage::Format_Grayscale16:
        return image.convertToFormat(QImage::Format_Grayscale8);
    case QImage::Format_Indexed8:
        if (isGreyPalette(image.colorTable()))
            return image.convertToFormat(QImage::Format_Grayscale8);
        return image.convertToFormat(
            hasTransparentEntry(image.colorTable()) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    default:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
    }
}

QImage decodeWithQt(const QByteArray& bytes, ImageFormat format, QSize atLeast)
{
    setUpReaders();
    clearLibraryError();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, readerFormat(format));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false); // orientation is applied by the caller, for every format

    const QString name = formatName(format);
    // Qt reports a top-down BMP's height as negative.
    const QSize declared = reader.size();
    const QSize size(qAbs(declared.width()), qAbs(declared.height()));
    if (!size.isValid() || size.isEmpty())
        throw ImageError(withLibraryReason(QStringLiteral("Damaged %1 header").arg(name)));
    // 32 bits per pixel: the deepest output format, whatever the file's depth.
    if (!limits::fitsDecodeLimits(size.width(), size.height(), 32))
        throw PictureTooLargeError(QString(), size);

    const QImage::Format stored = reader.imageFormat();
    if (stored != QImage::Format_Mono && stored != QImage::Format_MonoLSB) {
        const QSize reduced = reducedDecodeSize(size, atLeast);
        if (reduced.isValid())
            reader.setScaledSize(reduced);
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        // Qt's readers give no reason for a failed allocation: some call it a success with a
        // null picture (UnknownError), some unreadable data. Unless the library gave a reason,
        // a picture of this size that cannot be had now is the cause.
        const bool noReason = libraryError().isEmpty();
        if (noReason &&
            (reader.error() == QImageReader::UnknownError ||
             QImage(size, stored == QImage::Format_Invalid ? QImage::Format_ARGB32 : stored)
                 .isNull()))
            throw ImageError(QStringLiteral("Not enough memory for a %1 x %2 picture")
                                 .arg(size.width())
                                 .arg(size.height()));
        throw ImageError(withLibraryReason(
            QStringLiteral("Cannot decode %1 picture: %2").arg(name, reader.errorString())));
    }
    const QImage out = toOutputFormat(image);
    if (out.isNull())
        throw ImageError(QStringLiteral("Not enough memory for a %1 x %2 picture")
                             .arg(image.width())
                             .arg(image.height()));
    return out;
}

} // namespace pagula::imaging
