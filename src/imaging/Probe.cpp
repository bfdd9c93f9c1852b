#include "imaging/Probe.h"

#include "imaging/ByteSource.h"
#include "imaging/ChunkExif.h"
#include "imaging/FormatDetect.h"
#include "imaging/HeifDecoder.h"
#include "imaging/Limits.h"
#include "imaging/PcxHeader.h"
#include "imaging/PdfDocument.h"
#include "imaging/Resolution.h"
#include "imaging/SequentialReader.h"
#include "imaging/TiffDirectory.h"

#include <QBuffer>
#include <QtEndian>

#include <climits>
#include <cstring>

namespace pagula::imaging
{

namespace
{

ImageError damagedHeader(ImageFormat format)
{
    return ImageError(QStringLiteral("Damaged %1 header").arg(formatName(format)));
}

void setPixelSize(ImageInfo& info, qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        throw damagedHeader(info.format);
    info.pixelSize = QSize(int(width), int(height));
}

quint16 be16(const char* p)
{
    return qFromBigEndian<quint16>(p);
}
quint32 be32(const char* p)
{
    return qFromBigEndian<quint32>(p);
}
quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}
qint32 le32s(const char* p)
{
    return qFromLittleEndian<qint32>(p);
}

bool isStartOfFrame(int marker)
{
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// What the segments before the frame header tell.
struct JpegSegments {
    bool frame = false;
    qint64 width = 0, height = 0;
    int components = 0;
    int jfifUnits = 0;
    int jfifX = 0, jfifY = 0;
    std::optional<TiffDirectory> exif;
};

// Walks the marker segments up to the frame header, as libjpeg does: bytes between segments
// are skipped, fill bytes (0xFF) before a marker too.
JpegSegments readJpegSegments(const ByteSource& source)
{
    JpegSegments seg;
    bool jfif = false;
    SequentialReader r(source, 2);
    for (;;) {
        int b = r.byte();
        if (b < 0)
            break;
        if (b != 0xFF)
            continue;
        int marker;
        do {
            marker = r.byte();
        } while (marker == 0xFF);
        if (marker < 0 || marker == 0xD9 || marker == 0xDA)
            break; // end of image or start of scan before any frame header
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // stuffed byte or a marker without a segment
        const int hi = r.byte();
        const int lo = r.byte();
        if (lo < 0)
            break;
        const qint64 payload = ((hi << 8) | lo) - 2;
        if (payload < 0)
            break;
        if (isStartOfFrame(marker)) {
            const QByteArray p = r.take(payload);
            if (p.size() >= 5) {
                seg.frame = true;
                seg.height = be16(p.constData() + 1);
                seg.width = be16(p.constData() + 3);
                seg.components = p.size() >= 6 ? quint8(p[5]) : 0;
            }
            break;
        }
        if (marker == 0xE0 && !jfif) {
            const QByteArray p = r.take(payload);
            if (p.size() >= 12 && p.startsWith(QByteArrayLiteral("JFIF\0"))) {
                jfif = true;
                seg.jfifUnits = quint8(p[7]);
                seg.jfifX = be16(p.constData() + 8);
                seg.jfifY = be16(p.constData() + 10);
            }
        } else if (marker == 0xE1 && !seg.exif) {
            const QByteArray p = r.take(payload);
            if (p.size() > 6 && p.startsWith("Exif"))
                seg.exif = readTiffDirectory(MemorySource(p.mid(6)));
        } else {
            r.skip(payload);
        }
    }
    return seg;
}

ImageInfo probeJpeg(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Jpeg;
    const JpegSegments seg = readJpegSegments(source);
    if (!seg.frame)
        throw damagedHeader(info.format);
    setPixelSize(info, seg.width, seg.height);
    // JFIF density counts when it has a unit (1 per inch, 2 per cm); without one it is only
    // an aspect ratio, and EXIF's resolution, if any, takes its place.
    bool stated = false;
    if (seg.jfifUnits == 1)
        stated = setResolution(info, dpiFromInches(seg.jfifX), dpiFromInches(seg.jfifY));
    else if (seg.jfifUnits == 2)
        stated = setResolution(info, dpiFromCentimetres(seg.jfifX), dpiFromCentimetres(seg.jfifY));
    if (seg.exif) {
        if (!stated)
            setResolution(info, seg.exif->dpiX(), seg.exif->dpiY());
        info.orientation = seg.exif->orientation;
    }
    return info;
}

ImageInfo probePng(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Png;
    const QByteArray head = source.read(0, 33);
    if (head.size() < 33 || be32(head.constData() + 8) != 13 || head.mid(12, 4) != "IHDR")
        throw damagedHeader(info.format);
    setPixelSize(info, be32(head.constData() + 16), be32(head.constData() + 20));
    // pHYs must come before the image data.
    SequentialReader r(source, 33);
    for (;;) {
        const QByteArray chunk = r.take(8);
        if (chunk.size() < 8)
            break;
        const quint32 length = be32(chunk.constData());
        const QByteArray type = chunk.mid(4, 4);
        if (type == "IDAT" || type == "IEND" || length > 0x7FFFFFFFu)
            break;
        if (type == "pHYs" && length == 9) {
            const QByteArray p = r.take(9);
            if (p.size() == 9 && p[8] == 1) // unit 1: per metre; 0 is an aspect ratio only
                setResolution(info, dpiFromMetres(be32(p.constData())),
                              dpiFromMetres(be32(p.constData() + 4)));
            r.skip(4);
            break;
        }
        r.skip(qint64(length) + 4); // data and CRC
    }
    if (const auto exif = pngExif(source))
        info.orientation = exif->orientation;
    return info;
}

ImageInfo probeWebp(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Webp;
    // The first chunk tells the size: the extended header's canvas, or the only frame's own.
    const QByteArray h = source.read(0, 30);
    if (h.size() < 30)
        throw damagedHeader(info.format);
    const char* d = h.constData();
    const auto le24 = [d](int at) {
        return qint64(quint8(d[at])) | qint64(quint8(d[at + 1])) << 8 |
               qint64(quint8(d[at + 2])) << 16;
    };
    const QByteArray first = h.mid(12, 4);
    if (first == "VP8X") {
        setPixelSize(info, le24(24) + 1, le24(27) + 1);
    } else if (first == "VP8 " && h.mid(23, 3) == "\x9D\x01\x2A") {
        setPixelSize(info, le16(d + 26) & 0x3FFF, le16(d + 28) & 0x3FFF);
    } else if (first == "VP8L" && quint8(d[20]) == 0x2F) {
        const quint32 bits = qFromLittleEndian<quint32>(d + 21);
        setPixelSize(info, (bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
    } else {
        throw damagedHeader(info.format);
    }
    if (const auto exif = webpExif(source))
        info.orientation = exif->orientation;
    return info;
}

// The first page of PDF bytes; a PDF file is probed page by page through probeFile().
ImageInfo probePdf(const ByteSource& source)
{
    if (source.size() > limits::maxFileBytes)
        throw ImageError(QStringLiteral("PDF document is too large (%1 bytes)").arg(source.size()));
    QBuffer buffer;
    buffer.setData(source.read(0, source.size()));
    buffer.open(QIODevice::ReadOnly);
    return PdfDocument(buffer, QString()).pageInfo(1);
}

ImageInfo probeBmp(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Bmp;
    const QByteArray h = source.read(0, 46);
    if (h.size() < 26)
        throw damagedHeader(info.format);
    const char* d = h.constData();
    if (qFromLittleEndian<quint32>(d + 14) == 12) { // OS/2 1.x core header: 16-bit sizes
        setPixelSize(info, le16(d + 18), le16(d + 20));
        return info;
    }
    const qint64 width = le32s(d + 18);
    const qint64 height = le32s(d + 22); // negative: rows stored top-down
    setPixelSize(info, width, height < 0 ? -height : height);
    if (h.size() >= 46 && qFromLittleEndian<quint32>(d + 14) >= 40)
        setResolution(info, dpiFromMetres(le32s(d + 38)), dpiFromMetres(le32s(d + 42)));
    return info;
}

ImageInfo probeGif(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Gif;
    const QByteArray h = source.read(0, 13);
    if (h.size() < 13)
        throw damagedHeader(info.format);
    qint64 width = le16(h.constData() + 6);
    qint64 height = le16(h.constData() + 8);
    if (width > 0 && height > 0) {
        setPixelSize(info, width, height);
        return info;
    }
    // No logical screen size: the first frame's extent is the picture's.
    const int flags = quint8(h[10]);
    SequentialReader r(source, 13);
    if (flags & 0x80)
        r.skip(3LL << ((flags & 7) + 1));
    for (;;) {
        const int block = r.byte();
        if (block == 0x2C) {
            const QByteArray d = r.take(8);
            if (d.size() < 8)
                break;
            const char* p = d.constData();
            if (width == 0)
                width = qint64(le16(p)) + le16(p + 4);
            if (height == 0)
                height = qint64(le16(p + 2)) + le16(p + 6);
            break;
        }
        if (block != 0x21)
            break; // trailer, end of data or damage
        r.byte();  // extension label
        for (int n = r.byte(); n > 0; n = r.byte())
            r.skip(n);
    }
    setPixelSize(info, width, height);
    return info;
}

ImageInfo probeIco(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Ico;
    const QByteArray h = source.read(0, 22);
    if (h.size() < 22)
        throw damagedHeader(info.format);
    // The first directory entry is the picture that is read; 0 stands for 256.
    const int w = quint8(h[6]);
    const int ht = quint8(h[7]);
    setPixelSize(info, w == 0 ? 256 : w, ht == 0 ? 256 : ht);
    return info;
}

ImageInfo probeTiff(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Tiff;
    const auto dir = readTiffDirectory(source);
    if (!dir)
        throw damagedHeader(info.format);
    setPixelSize(info, dir->width, dir->height);
    setResolution(info, dir->dpiX(), dir->dpiY());
    info.orientation = dir->orientation;
    return info;
}

// PCX writers often fill the dpi fields with the picture's or the screen's size in pixels.
bool plausiblePcxDpi(const PcxHeader& h)
{
    const auto is = [&h](qint64 x, qint64 y) { return h.hDpi == x && h.vDpi == y; };
    return !is(h.width(), h.height()) && !is(320, 200) && !is(640, 350) && !is(640, 480) &&
           !is(800, 600) && !is(1024, 768);
}

ImageInfo probePcx(const ByteSource& source)
{
    ImageInfo info;
    info.format = ImageFormat::Pcx;
    const QByteArray bytes = source.read(0, PcxHeader::size);
    const auto h = parsePcxHeader(bytes.constData(), bytes.size());
    if (!h)
        throw damagedHeader(info.format);
    setPixelSize(info, h->width(), h->height());
    if (plausiblePcxDpi(*h))
        setResolution(info, dpiFromInches(h->hDpi), dpiFromInches(h->vDpi));
    return info;
}

} // namespace

ImageInfo probeSource(const ByteSource& source)
{
    const QByteArray head = source.read(0, formatSignatureBytes);
    switch (detectFormat(head.constData(), head.size())) {
    case ImageFormat::Jpeg:
        return probeJpeg(source);
    case ImageFormat::Png:
        return probePng(source);
    case ImageFormat::Bmp:
        return probeBmp(source);
    case ImageFormat::Gif:
        return probeGif(source);
    case ImageFormat::Tiff:
        return probeTiff(source);
    case ImageFormat::Pcx:
        return probePcx(source);
    case ImageFormat::Ico:
        return probeIco(source);
    case ImageFormat::Webp:
        return probeWebp(source);
    case ImageFormat::Heif:
        return probeHeif(source);
    case ImageFormat::Pdf:
        return probePdf(source);
    case ImageFormat::Unknown:
        break;
    }
    throw ImageError(QStringLiteral("Unknown picture format"));
}

int readOrientation(const ByteSource& source, ImageFormat format)
{
    if (format == ImageFormat::Jpeg) {
        const JpegSegments seg = readJpegSegments(source);
        return seg.exif ? seg.exif->orientation : 1;
    }
    if (format == ImageFormat::Tiff) {
        const auto dir = readTiffDirectory(source);
        return dir ? dir->orientation : 1;
    }
    if (format == ImageFormat::Png || format == ImageFormat::Webp) {
        const auto exif = format == ImageFormat::Png ? pngExif(source) : webpExif(source);
        return exif ? exif->orientation : 1;
    }
    // HEIF pictures come out of libheif turned already; PDF pages have no orientation.
    return 1;
}

int jpegComponents(const QByteArray& bytes)
{
    return readJpegSegments(MemorySource(bytes)).components;
}

JpegScans countJpegScans(QByteArrayView bytes, int stopAfter)
{
    JpegScans scans;
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 2; // past the start marker
    while (i < size && scans.count <= stopAfter) {
        // Bytes before a marker are skipped, as libjpeg skips them; so are fill bytes.
        const void* ff = std::memchr(p + i, 0xFF, size_t(size - i));
        if (!ff)
            break;
        i = static_cast<const uchar*>(ff) - p;
        while (i < size && p[i] == 0xFF)
            ++i;
        if (i >= size)
            break;
        const int marker = p[i++];
        if (marker == 0xD9)
            break; // end of image
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // no segment follows
        if (i + 2 > size)
            break;
        const qsizetype length = be16(reinterpret_cast<const char*>(p + i));
        if (length < 2)
            break;
        if (marker == 0xDA) {
            ++scans.count;
            const int components = i + 2 < size ? p[i + 2] : 0;
            // The spectral band follows the component list.
            const qsizetype band = i + 3 + 2 * qsizetype(components);
            const int start = band + 1 < qMin(size, i + length) ? p[band] : 0;
            const int end = band + 1 < qMin(size, i + length) ? p[band + 1] : 63;
            const int coefficients = start <= end && end < 64 ? end - start + 1 : 64;
            for (int c = 0; c < components && i + 3 + 2 * c < qMin(size, i + length); ++c) {
                ++scans.perComponent[p[i + 3 + 2 * c]];
                scans.coefficientsPerComponent[p[i + 3 + 2 * c]] += coefficients;
            }
            // The coded data runs to the next marker: 0xFF followed by neither a stuffed 0x00
            // nor a restart marker.
            i += length;
            while (i < size) {
                const void* next = std::memchr(p + i, 0xFF, size_t(size - i));
                if (!next) {
                    i = size;
                    break;
                }
                i = static_cast<const uchar*>(next) - p;
                const int after = i + 1 < size ? p[i + 1] : 0;
                if (after != 0x00 && after != 0xFF && (after < 0xD0 || after > 0xD7))
                    break;
                i += after == 0xFF ? 1 : 2;
            }
        } else {
            if (marker == 0xDD && i + 4 <= size &&
                be16(reinterpret_cast<const char*>(p + i + 2)) > 0)
                scans.restarts = true;
            i += length;
        }
    }
    return scans;
}

} // namespace pagula::imaging
