#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

namespace pagula::imaging
{

// The 128-byte header of a ZSoft PCX file, as stored (nothing validated beyond the magic).
struct PcxHeader {
    static constexpr int size = 128;

    int version = 0;
    int encoding = 0; // 1 run-length encoded, 0 raw
    int bitsPerPixel = 0;
    int planes = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int hDpi = 0, vDpi = 0;
    int bytesPerLine = 0;
    std::array<quint8, 48> egaPalette{};

    // Inclusive bounds: Xmax = Xmin is one pixel wide. Negative when Xmax < Xmin.
    qint64 width() const { return qint64(xMax) - xMin + 1; }
    qint64 height() const { return qint64(yMax) - yMin + 1; }
};

// Whether bytes start like a PCX file (manufacturer 10, a known version, encoding and depth).
bool looksLikePcx(const char* data, qint64 size);

// nullopt unless data holds a whole header that looksLikePcx().
std::optional<PcxHeader> parsePcxHeader(const char* data, qint64 size);

} // namespace pagula::imaging
