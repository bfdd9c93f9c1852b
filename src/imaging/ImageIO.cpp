#include "imaging/ImageIO.h"

#include "common/PictureAddress.h"
#include "imaging/ByteSource.h"
#include "imaging/DecodeCost.h"
#include "imaging/FormatDetect.h"
#include "imaging/HeifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "imaging/MemoryBudget.h"
#include "imaging/Orientation.h"
#include "imaging/PcxDecoder.h"
#include "imaging/PdfDocument.h"
#include "imaging/PictureFile.h"
#include "imaging/Probe.h"
#include "imaging/QtReaderDecoder.h"

#include <QBuffer>

namespace pagula::imaging
{

namespace
{
QString tooLargeMessage(const QString& path, QSize size, int scans)
{
    if (scans > 0) {
        const QString pixels = QStringLiteral("%1 x %2 pixels in %3 scans")
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(scans);
        if (path.isEmpty())
            return QStringLiteral("Picture would take too long to decode (%1)").arg(pixels);
        return QStringLiteral("Picture %1 would take too long to decode (%2)").arg(path, pixels);
    }
    const QString pixels = QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
    if (path.isEmpty())
        return QStringLiteral("Picture is too large (%1)").arg(pixels);
    return QStringLiteral("Picture %1 is too large (%2)").arg(path, pixels);
}

// The file a picture address names, opened; a page of a file that is no PDF is an error.
class AddressedFile
{
public:
    explicit AddressedFile(const QString& address)
        : address_(common::PictureAddress::fromText(address)), file_(address_.file)
    {
        isPdf_ = detectFormat(file_.read(0, formatSignatureBytes)) == ImageFormat::Pdf;
        if (address_.isPage() && !isPdf_)
            throw ImageError(QStringLiteral("File %1 is not a PDF document, so it has no page %2")
                                 .arg(file_.path())
                                 .arg(address_.page));
    }

    const PictureFile& file() const { return file_; }
    bool isPdf() const { return isPdf_; }
    // The whole file stands for its first page.
    int page() const { return std::max(1, address_.page); }

private:
    common::PictureAddress address_;
    PictureFile file_;
    bool isPdf_ = false;
};

} // namespace

PictureTooLargeError::PictureTooLargeError(const QString& path, QSize pixelSize, int scans)
    : ImageError(tooLargeMessage(path, pixelSize, scans)), pixelSize_(pixelSize), scans_(scans)
{
}

QSize ImageInfo::orientedSize() const
{
    return orientation >= 5 ? pixelSize.transposed() : pixelSize;
}

QSizeF ImageInfo::sizeInPoints() const
{
    const QSize s = orientedSize();
    const bool swap = orientation >= 5;
    const double dx = swap ? dpiY : dpiX;
    const double dy = swap ? dpiX : dpiY;
    return QSizeF(s.width() * 72.0 / dx, s.height() * 72.0 / dy);
}

ImageInfo probeData(const QByteArray& bytes)
{
    return probeSource(MemorySource(bytes));
}

ImageInfo probeFile(const QString& address)
{
    const AddressedFile file(address);
    if (file.isPdf())
        return PdfFile(file.file()).document().pageInfo(file.page());
    return probeSource(file.file());
}

QImage decodeData(const QByteArray& bytes, const DecodeRequest& request)
{
    const ImageFormat format = detectFormat(bytes);
    if (format == ImageFormat::Unknown)
        throw ImageError(QStringLiteral("Unknown picture format"));
    const int orientation =
        request.applyOrientation ? readOrientation(MemorySource(bytes), format) : 1;
    // The request is for the picture as shown; the decoders work on it as stored.
    const QSize atLeast = storedSize(request.atLeast, orientation);

    QImage stored;
    switch (format) {
    case ImageFormat::Jpeg:
        stored =
            decodeJpeg(bytes, {atLeast, request.shrinkToFitLimit, request.luminanceOnly}).image;
        break;
    case ImageFormat::Pcx:
        stored = decodePcx(bytes);
        break;
    case ImageFormat::Heif:
        stored = decodeHeif(bytes, atLeast);
        break;
    case ImageFormat::Pdf: {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        stored = PdfDocument(buffer, QString()).render(1, atLeast);
        break;
    }
    default:
        stored = decodeWithQt(bytes, format, atLeast);
        break;
    }
    QImage upright = orientUpright(stored, orientation);
    if (upright.isNull())
        throw ImageError(QStringLiteral("Not enough memory for a %1 x %2 picture")
                             .arg(stored.width())
                             .arg(stored.height()));
    return upright;
}

QImage decodeFile(const QString& address, const DecodeRequest& request)
{
    const AddressedFile file(address);
    if (file.isPdf())
        return PdfFile(file.file()).document().render(file.page(), request.atLeast);
    const QByteArray bytes = file.file().readAll();
    // Decodes running at once share one budget: this one waits until its memory is free.
    const MemoryBudget::Reservation memory =
        MemoryBudget::process().reserve(decodeMemoryEstimate(bytes, request), file.file().path());
    try {
        return decodeData(bytes, request);
    } catch (const PictureTooLargeError& e) {
        throw PictureTooLargeError(file.file().path(), e.pixelSize(), e.scans());
    }
}

} // namespace pagula::imaging
