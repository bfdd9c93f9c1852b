#include "preview/Resample.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pagula::preview {

QSize zoomedSize(QSize source, int zoomItem)
{
    if (zoomItem <= 0)
        return source;
    return QSize(source.width() * zoomItem / 10, source.height() * zoomItem / 10);
}

namespace {

// The source pixels under each target pixel of one axis, with their overlap as weight. Lengths
// are measured in units where a source pixel is `targetLen` long and a target pixel
// `sourceLen` long, so every overlap is a whole number and a pixel's weights add up to
// `sourceLen`.
struct AxisTaps {
    std::vector<int> first;  // first source pixel, per target pixel
    std::vector<int> start;  // index into weights, per target pixel, plus one end marker
    std::vector<std::uint32_t> weights;
};

AxisTaps axisTaps(int sourceLen, int targetLen, int begin, int end)
{
    AxisTaps taps;
    taps.first.reserve(end - begin);
    taps.start.reserve(end - begin + 1);
    for (int d = begin; d < end; ++d) {
        const std::int64_t lo = std::int64_t(d) * sourceLen;
        const std::int64_t hi = lo + sourceLen;
        const int s0 = static_cast<int>(lo / targetLen);
        const int s1 = static_cast<int>((hi - 1) / targetLen);
        taps.first.push_back(s0);
        taps.start.push_back(static_cast<int>(taps.weights.size()));
        for (int s = s0; s <= s1; ++s) {
            const std::int64_t from = std::max(lo, std::int64_t(s) * targetLen);
            const std::int64_t to = std::min(hi, std::int64_t(s + 1) * targetLen);
            taps.weights.push_back(static_cast<std::uint32_t>(to - from));
        }
    }
    taps.start.push_back(static_cast<int>(taps.weights.size()));
    return taps;
}

} // namespace

QImage resampleRegion(const QImage& source, QSize target, const QRect& region)
{
    const QRect area = region & QRect(QPoint(0, 0), target);
    if (source.isNull() || area.isEmpty() || source.depth() != 32)
        return {};
    if (source.size() == target) {
        QImage copy = source.copy(area);
        return copy.format() == QImage::Format_RGB32 ? copy
                                                     : copy.convertToFormat(QImage::Format_RGB32);
    }

    const int sw = source.width();
    const int sh = source.height();
    const AxisTaps xs = axisTaps(sw, target.width(), area.left(), area.right() + 1);
    const AxisTaps ys = axisTaps(sh, target.height(), area.top(), area.bottom() + 1);
    const double scale = 1.0 / (double(sw) * double(sh));

    QImage out(area.size(), QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const int cols = area.width();
    std::vector<std::uint64_t> acc(std::size_t(cols) * 3);

    for (int row = 0; row < area.height(); ++row) {
        std::fill(acc.begin(), acc.end(), 0);
        int sy = ys.first[row];
        for (int t = ys.start[row]; t < ys.start[row + 1]; ++t, ++sy) {
            const std::uint64_t wy = ys.weights[t];
            const auto* line = reinterpret_cast<const std::uint32_t*>(source.constScanLine(sy));
            std::uint64_t* a = acc.data();
            for (int c = 0; c < cols; ++c, a += 3) {
                const std::uint32_t* px = line + xs.first[c];
                std::uint32_t r = 0, g = 0, b = 0;
                for (int k = xs.start[c]; k < xs.start[c + 1]; ++k, ++px) {
                    const std::uint32_t w = xs.weights[k];
                    const std::uint32_t p = *px;
                    r += w * ((p >> 16) & 0xff);
                    g += w * ((p >> 8) & 0xff);
                    b += w * (p & 0xff);
                }
                a[0] += wy * r;
                a[1] += wy * g;
                a[2] += wy * b;
            }
        }
        auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(row));
        const std::uint64_t* a = acc.data();
        for (int c = 0; c < cols; ++c, a += 3) {
            const auto r = static_cast<std::uint32_t>(double(a[0]) * scale + 0.5);
            const auto g = static_cast<std::uint32_t>(double(a[1]) * scale + 0.5);
            const auto b = static_cast<std::uint32_t>(double(a[2]) * scale + 0.5);
            dst[c] = 0xff000000u | (r << 16) | (g << 8) | b;
        }
    }
    return out;
}

} // namespace pagula::preview
