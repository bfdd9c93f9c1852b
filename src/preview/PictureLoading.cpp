#include "preview/PictureLoading.h"

#include "imaging/ImageIO.h"

#include <QImageReader>
#include <QPainter>

namespace pagula::preview {

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
    static const QStringList pictures{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("bmp"), QStringLiteral("ico"),
                                      QStringLiteral("tif"), QStringLiteral("tiff"),
                                      QStringLiteral("gif"), QStringLiteral("pcx")};
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

QImage loadPreviewPicture(const QString& path)
{
    const QString ext = pictureExtension(path);
    if (!isPreviewableExtension(ext))
        throw imaging::ImageError(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
    return toPreviewSource(imaging::decodeFile(path));
}

} // namespace pagula::preview
