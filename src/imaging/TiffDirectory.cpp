#include "imaging/TiffDirectory.h"

#include "imaging/ByteSource.h"

#include <QtEndian>

namespace pagula::imaging
{

namespace
{

enum Tag : quint16 {
    ImageWidth = 256,
    ImageLength = 257,
    Orientation = 274,
    XResolution = 282,
    YResolution = 283,
    ResolutionUnitTag = 296,
};

enum Type : quint16 { Byte = 1, Short = 3, Long = 4, Rational = 5, SRational = 10 };

constexpr int entrySize = 12;

class Reader
{
public:
    Reader(const ByteSource& source, qint64 base, bool bigEndian)
        : source_(source), base_(base), bigEndian_(bigEndian)
    {
    }

    quint16 u16(const char* p) const
    {
        return bigEndian_ ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
    }
    quint32 u32(const char* p) const
    {
        return bigEndian_ ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }

    // A whole-number value stored in the entry itself (BYTE, SHORT or LONG, count >= 1).
    std::optional<quint32> integer(const char* entry) const
    {
        const quint16 type = u16(entry + 2);
        if (u32(entry + 4) == 0)
            return std::nullopt;
        const char* value = entry + 8;
        switch (type) {
        case Byte:
            return quint8(value[0]);
        case Short:
            return u16(value);
        case Long:
            return u32(value);
        default:
            return std::nullopt;
        }
    }

    // A RATIONAL (or a whole number some writers store instead); 0 when unusable.
    double number(const char* entry) const
    {
        const quint16 type = u16(entry + 2);
        if (type != Rational && type != SRational) {
            const auto whole = integer(entry);
            return whole ? double(*whole) : 0.0;
        }
        if (u32(entry + 4) == 0)
            return 0.0;
        const QByteArray bytes = source_.read(base_ + u32(entry + 8), 8);
        if (bytes.size() < 8)
            return 0.0;
        const quint32 num = u32(bytes.constData());
        const quint32 den = u32(bytes.constData() + 4);
        if (den == 0)
            return 0.0;
        if (type == SRational) {
            const qint32 snum = qint32(num);
            const qint32 sden = qint32(den);
            const double value = double(snum) / double(sden);
            return value > 0.0 ? value : 0.0;
        }
        return double(num) / double(den);
    }

private:
    const ByteSource& source_;
    qint64 base_;
    bool bigEndian_;
};

} // namespace

std::optional<TiffDirectory> readTiffDirectory(const ByteSource& source, qint64 base)
{
    const QByteArray header = source.read(base, 8);
    if (header.size() < 8)
        return std::nullopt;
    bool bigEndian;
    if (header.startsWith("II"))
        bigEndian = false;
    else if (header.startsWith("MM"))
        bigEndian = true;
    else
        return std::nullopt;
    const Reader r(source, base, bigEndian);
    if (r.u16(header.constData() + 2) != 42)
        return std::nullopt;

    TiffDirectory dir;
    const quint32 ifdOffset = r.u32(header.constData() + 4);
    const QByteArray countBytes = source.read(base + ifdOffset, 2);
    if (ifdOffset < 8 || countBytes.size() < 2)
        return dir; // a header without a readable directory states nothing
    const int count = r.u16(countBytes.constData());
    // A damaged directory may claim more entries than the source holds: use those present.
    const QByteArray entries = source.read(base + ifdOffset + 2, qint64(count) * entrySize);
    const int present = int(entries.size() / entrySize);
    for (int i = 0; i < present; ++i) {
        const char* e = entries.constData() + i * entrySize;
        switch (r.u16(e)) {
        case ImageWidth:
            dir.width = r.integer(e).value_or(0);
            break;
        case ImageLength:
            dir.height = r.integer(e).value_or(0);
            break;
        case Orientation: {
            const quint32 o = r.integer(e).value_or(1);
            dir.orientation = (o >= 1 && o <= 8) ? int(o) : 1;
            break;
        }
        case XResolution:
            dir.xResolution = r.number(e);
            break;
        case YResolution:
            dir.yResolution = r.number(e);
            break;
        case ResolutionUnitTag: {
            const quint32 unit = r.integer(e).value_or(2);
            dir.resolutionUnit =
                (unit == 1 || unit == 3) ? ResolutionUnit(unit) : ResolutionUnit::Inch;
            break;
        }
        default:
            break;
        }
    }
    return dir;
}

} // namespace pagula::imaging
