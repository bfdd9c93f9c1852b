#include "imaging/PcxHeader.h"

#include <QtEndian>

#include <cstring>

namespace pagula::imaging
{

bool looksLikePcx(const char* data, qint64 size)
{
    if (size < 4)
        return false;
    const auto* d = reinterpret_cast<const quint8*>(data);
    const bool knownVersion = d[1] == 0 || d[1] == 2 || d[1] == 3 || d[1] == 4 || d[1] == 5;
    const bool knownDepth = d[3] == 1 || d[3] == 2 || d[3] == 4 || d[3] == 8;
    return d[0] == 0x0A && knownVersion && d[2] <= 1 && knownDepth;
}

std::optional<PcxHeader> parsePcxHeader(const char* data, qint64 size)
{
    if (size < PcxHeader::size || !looksLikePcx(data, size))
        return std::nullopt;
    const auto u16 = [data](int offset) { return int(qFromLittleEndian<quint16>(data + offset)); };
    PcxHeader h;
    h.version = quint8(data[1]);
    h.encoding = quint8(data[2]);
    h.bitsPerPixel = quint8(data[3]);
    h.xMin = u16(4);
    h.yMin = u16(6);
    h.xMax = u16(8);
    h.yMax = u16(10);
    h.hDpi = u16(12);
    h.vDpi = u16(14);
    std::memcpy(h.egaPalette.data(), data + 16, h.egaPalette.size());
    h.planes = quint8(data[65]);
    h.bytesPerLine = u16(66);
    return h;
}

} // namespace pagula::imaging
