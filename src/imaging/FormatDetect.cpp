#include "imaging/FormatDetect.h"

#include "imaging/PcxHeader.h"

#include <QtEndian>

#include <cstring>

namespace pagula::imaging
{

namespace
{

bool startsWith(const char* data, qint64 size, const char* magic, qint64 magicSize)
{
    return size >= magicSize && std::memcmp(data, magic, size_t(magicSize)) == 0;
}

bool looksLikeBmp(const char* data, qint64 size)
{
    if (!startsWith(data, size, "BM", 2) || size < 18)
        return false;
    // The info header's size tells its version; every known one is listed.
    switch (qFromLittleEndian<quint32>(data + 14)) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

bool looksLikeIco(const char* data, qint64 size)
{
    // Reserved 0, type 1 (icon) or 2 (cursor), at least one image.
    if (size < 6)
        return false;
    const quint16 reserved = qFromLittleEndian<quint16>(data);
    const quint16 type = qFromLittleEndian<quint16>(data + 2);
    const quint16 count = qFromLittleEndian<quint16>(data + 4);
    return reserved == 0 && (type == 1 || type == 2) && count > 0;
}

// An ISO base media file ("ftyp" box first) of a HEIF brand: HEIC photos and still HEIF images.
bool looksLikeHeif(const char* data, qint64 size)
{
    if (size < 12 || std::memcmp(data + 4, "ftyp", 4) != 0)
        return false;
    static const char* const brands[] = {"heic", "heix", "heim", "heis",
                                         "hevc", "hevx", "mif1", "msf1"};
    for (const char* brand : brands)
        if (std::memcmp(data + 8, brand, 4) == 0)
            return true;
    return false;
}

} // namespace

ImageFormat detectFormat(const char* data, qint64 size)
{
    if (startsWith(data, size, "\xFF\xD8\xFF", 3))
        return ImageFormat::Jpeg;
    if (startsWith(data, size, "\x89PNG\r\n\x1A\n", 8))
        return ImageFormat::Png;
    if (startsWith(data, size, "GIF87a", 6) || startsWith(data, size, "GIF89a", 6))
        return ImageFormat::Gif;
    if (startsWith(data, size, "II*\0", 4) || startsWith(data, size, "MM\0*", 4))
        return ImageFormat::Tiff;
    if (looksLikeBmp(data, size))
        return ImageFormat::Bmp;
    if (looksLikePcx(data, size))
        return ImageFormat::Pcx;
    if (size >= 12 && startsWith(data, size, "RIFF", 4) && std::memcmp(data + 8, "WEBP", 4) == 0)
        return ImageFormat::Webp;
    if (looksLikeHeif(data, size))
        return ImageFormat::Heif;
    if (startsWith(data, size, "%PDF-", 5))
        return ImageFormat::Pdf;
    if (looksLikeIco(data, size))
        return ImageFormat::Ico;
    return ImageFormat::Unknown;
}

ImageFormat detectFormat(const QByteArray& head)
{
    return detectFormat(head.constData(), head.size());
}

QString formatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return QStringLiteral("JPEG");
    case ImageFormat::Png:
        return QStringLiteral("PNG");
    case ImageFormat::Bmp:
        return QStringLiteral("BMP");
    case ImageFormat::Gif:
        return QStringLiteral("GIF");
    case ImageFormat::Tiff:
        return QStringLiteral("TIFF");
    case ImageFormat::Pcx:
        return QStringLiteral("PCX");
    case ImageFormat::Ico:
        return QStringLiteral("ICO");
    case ImageFormat::Webp:
        return QStringLiteral("WebP");
    case ImageFormat::Heif:
        return QStringLiteral("HEIF");
    case ImageFormat::Pdf:
        return QStringLiteral("PDF");
    case ImageFormat::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

} // namespace pagula::imaging
