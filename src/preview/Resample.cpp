#include "preview/Resample.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pagula::preview
{

QSize zoomedSize(QSize source, int zoomItem)
{
    if (zoomItem <= 0)
        return source;
    return QSize(source.width() * zoomItem / 10, source.height() * zoomItem / 10);
}

namespace
{

// The source pixels under each target pixel of one axis, with their overlap as weight. Lengths
// are measured in units where a source pixel is `targetLen` long and a target pixel
// `sourceLen` long, so every overlap is a whole number and a pixel's weights add up to
// `sourceLen`.
struct AxisTaps {
    std::vector<int> first; // first source pixel, per target pixel
    std::vector<int> start; // index into weights, per target pixel, plus one end marker
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

// The row loops touch every source pixel; where the processor has AVX2 they run eight pixels
// at a time.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define PAGULA_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define PAGULA_ROW_LOOP
#endif

// Adds the channels of a source row that lies wholly inside the target row.
PAGULA_ROW_LOOP void addWholeRow(const std::uint32_t* __restrict line, int span,
                                 std::uint32_t* __restrict r, std::uint32_t* __restrict g,
                                 std::uint32_t* __restrict b)
{
    for (int i = 0; i < span; ++i) {
        const std::uint32_t p = line[i];
        r[i] += (p >> 16) & 0xff;
        g[i] += (p >> 8) & 0xff;
        b[i] += p & 0xff;
    }
}

// Adds a source row that the target row covers only in part, weighted by the overlap.
PAGULA_ROW_LOOP void addPartialRow(const std::uint32_t* __restrict line, int span,
                                   std::uint32_t weight, std::uint32_t* __restrict r,
                                   std::uint32_t* __restrict g, std::uint32_t* __restrict b)
{
    for (int i = 0; i < span; ++i) {
        const std::uint32_t p = line[i];
        r[i] += weight * ((p >> 16) & 0xff);
        g[i] += weight * ((p >> 8) & 0xff);
        b[i] += weight * (p & 0xff);
    }
}

// Folds the cut rows into the whole ones: whole × weight of a whole row + cut.
PAGULA_ROW_LOOP void foldColumnSums(std::uint32_t* __restrict whole,
                                    const std::uint32_t* __restrict cut, int count,
                                    std::uint32_t wholeWeight)
{
    for (int i = 0; i < count; ++i)
        whole[i] = whole[i] * wholeWeight + cut[i];
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
    // The source columns that the region's pixels cover.
    const int firstColumn = xs.first.front();
    const int span = xs.first.back() + (xs.start[cols] - xs.start[cols - 1]) - firstColumn;
    // Per target row: first the sums of its source rows, column by column (the pass that
    // touches every source pixel: rows wholly inside the target row are added unweighted, the
    // at most two cut rows weighted); then the weighted sums across those columns. Weights of
    // one axis add up to the source length, so a column sum stays below 255 × 32768.
    const std::uint32_t wholeRow = static_cast<std::uint32_t>(target.height());
    std::vector<std::uint32_t> sums(std::size_t(span) * 6);
    std::uint32_t* wholeR = sums.data();
    std::uint32_t* wholeG = wholeR + span;
    std::uint32_t* wholeB = wholeG + span;
    std::uint32_t* cutR = wholeB + span;
    std::uint32_t* cutG = cutR + span;
    std::uint32_t* cutB = cutG + span;

    for (int row = 0; row < area.height(); ++row) {
        std::fill(sums.begin(), sums.end(), 0);
        int sy = ys.first[row];
        for (int t = ys.start[row]; t < ys.start[row + 1]; ++t, ++sy) {
            const std::uint32_t wy = ys.weights[t];
            const auto* line =
                reinterpret_cast<const std::uint32_t*>(source.constScanLine(sy)) + firstColumn;
            if (wy == wholeRow)
                addWholeRow(line, span, wholeR, wholeG, wholeB);
            else
                addPartialRow(line, span, wy, cutR, cutG, cutB);
        }
        foldColumnSums(wholeR, cutR, span * 3, wholeRow); // the three planes lie in a row
        auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(row));
        for (int c = 0; c < cols; ++c) {
            std::uint64_t r = 0, g = 0, b = 0;
            int i = xs.first[c] - firstColumn;
            for (int k = xs.start[c]; k < xs.start[c + 1]; ++k, ++i) {
                const std::uint64_t w = xs.weights[k];
                r += w * wholeR[i];
                g += w * wholeG[i];
                b += w * wholeB[i];
            }
            const auto rr = static_cast<std::uint32_t>(double(r) * scale + 0.5);
            const auto gg = static_cast<std::uint32_t>(double(g) * scale + 0.5);
            const auto bb = static_cast<std::uint32_t>(double(b) * scale + 0.5);
            dst[c] = 0xff000000u | (rr << 16) | (gg << 8) | bb;
        }
    }
    return out;
}

} // namespace pagula::preview
