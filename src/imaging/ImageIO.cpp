#include "imaging/ImageIO.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

// Interim implementation through Qt's readers; replaced by the dedicated decoders.

namespace pagula::imaging {

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

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ImageError(QStringLiteral("Cannot open file %1").arg(path));
    return f.readAll();
}
} // namespace

ImageInfo probeData(const QByteArray& bytes)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf);
    ImageInfo info;
    info.pixelSize = reader.size();
    if (!info.pixelSize.isValid())
        throw ImageError(QStringLiteral("Unknown picture format"));
    return info;
}

ImageInfo probeFile(const QString& path)
{
    return probeData(readAll(path));
}

QImage decodeData(const QByteArray& bytes, const DecodeRequest&)
{
    QImage img = QImage::fromData(bytes);
    if (img.isNull())
        throw ImageError(QStringLiteral("Unknown picture format"));
    return img;
}

QImage decodeFile(const QString& path, const DecodeRequest& request)
{
    return decodeData(readAll(path), request);
}

} // namespace pagula::imaging
