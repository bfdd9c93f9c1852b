#include "imaging/ChunkExif.h"

#include "imaging/ByteSource.h"
#include "imaging/SequentialReader.h"

#include <QtEndian>

namespace pagula::imaging
{

namespace
{

// The largest EXIF block read; a camera's is a few tens of kilobytes.
constexpr quint32 maxExifBytes = 1024 * 1024;

std::optional<TiffDirectory> exifIn(QByteArray payload)
{
    // Some WebP writers keep the "Exif\0\0" header of the JPEG segment.
    if (payload.startsWith(QByteArrayLiteral("Exif\0\0")))
        payload.remove(0, 6);
    return readTiffDirectory(MemorySource(payload));
}

} // namespace

std::optional<TiffDirectory> pngExif(const ByteSource& source)
{
    SequentialReader r(source, 8);
    for (int n = 0; n < maxChunksWalked; ++n) {
        const QByteArray chunk = r.take(8);
        if (chunk.size() < 8)
            break;
        const quint32 length = qFromBigEndian<quint32>(chunk.constData());
        const QByteArray type = chunk.mid(4, 4);
        if (type == "IEND" || length > 0x7FFFFFFFu)
            break;
        if (type == "eXIf")
            return length <= maxExifBytes ? exifIn(r.take(length)) : std::nullopt;
        r.skip(qint64(length) + 4); // data and CRC
    }
    return std::nullopt;
}

std::optional<TiffDirectory> webpExif(const ByteSource& source)
{
    // RIFF chunks: a four-character code, a little-endian length, the data padded to even.
    SequentialReader r(source, 12);
    for (int n = 0; n < maxChunksWalked; ++n) {
        const QByteArray chunk = r.take(8);
        if (chunk.size() < 8)
            break;
        const quint32 length = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("EXIF"))
            return length <= maxExifBytes ? exifIn(r.take(length)) : std::nullopt;
        r.skip(qint64(length) + (length & 1));
    }
    return std::nullopt;
}

} // namespace pagula::imaging
