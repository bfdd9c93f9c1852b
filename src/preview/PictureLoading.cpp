#include "preview/PictureLoading.h"

#include "imaging/ImageIO.h"
#include "imaging/Limits.h"

#include <QImageReader>
#include <QPainter>

namespace pagula::preview
{

QString pictureExtension(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return {};
    return path.mid(dot + 1);
}

bool isPreviewableExtension(const QString& extension)
{
    const QString ext = extension.toLower();
    static const QStringList pictures{
        QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("bmp"),
        QStringLiteral("ico"),  QStringLiteral("tif"),  QStringLiteral("tiff"),
        QStringLiteral("gif"),  QStringLiteral("pcx"),  QStringLiteral("png"),
        QStringLiteral("webp"), QStringLiteral("heic"), QStringLiteral("heif"),
        QStringLiteral("pdf")};
    if (pictures.contains(ext))
        return true;
    if (ext == QLatin1String("wmf") || ext == QLatin1String("emf"))
        return QImageReader::supportedImageFormats().contains(ext.toLatin1());
    return false;
}

QImage toPreviewSource(const QImage& decoded)
{
    if (decoded.format() == QImage::Format_RGB32)
        return decoded;
    QImage out;
    if (decoded.hasAlphaChannel()) {
        out = QImage(decoded.size(), QImage::Format_RGB32);
        if (!out.isNull()) {
            out.fill(Qt::white);
            QPainter p(&out);
            p.drawImage(0, 0, decoded);
        }
    } else {
        out = decoded.convertToFormat(QImage::Format_RGB32);
    }
    if (out.isNull() && !decoded.isNull())
        throw imaging::ImageError(QStringLiteral("Out of memory"));
    return out;
}

namespace
{
// The upright size of the picture in the file, when the decode came back reduced from it.
QSize ownSize(const QString& path, QSize decoded)
{
    try {
        const imaging::ImageInfo info = imaging::probeFile(path);
        const QSize full = info.orientedSize();
        if (info.format == imaging::ImageFormat::Jpeg && full.width() >= decoded.width() &&
            full.height() >= decoded.height())
            return full;
    } catch (const imaging::ImageError&) {
        // Decoded but not probed (the file changed meanwhile): the decode is all there is.
    }
    return decoded;
}
} // namespace

PreviewPicture loadPreviewPicture(const QString& path)
{
    const QString ext = pictureExtension(path);
    if (!isPreviewableExtension(ext))
        throw imaging::ImageError(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
    // Read once at the most detail the limits allow; every zoom is rendered from this copy.
    imaging::DecodeRequest request;
    request.shrinkToFitLimit = true;
    PreviewPicture picture;
    picture.source = toPreviewSource(imaging::decodeFile(path, request));
    picture.realSize = ownSize(path, picture.source.size());
    return picture;
}

bool canHoldShownSize(QSize shown)
{
    return imaging::limits::fitsDecodeLimits(shown.width(), shown.height(), 32);
}

} // namespace pagula::preview
