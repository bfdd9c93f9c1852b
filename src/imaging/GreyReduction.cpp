#include "imaging/GreyReduction.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pagula::imaging
{

namespace
{

// Weights of one output pixel's source span, in units of 1/One of the span.
constexpr int WeightBits = 14;
constexpr std::uint32_t One = 1u << WeightBits;
// Larger reductions go in steps, so that a source pixel's weight keeps its precision.
constexpr int MaxStep = 64;

// The source spans of the output pixels as a table: output pixel i covers `taps` source pixels
// from first[i] on, with weights[i * taps + k] (zero past its span) that sum to One.
struct Spans {
    int taps = 0;
    std::vector<int> first;
    std::vector<std::uint32_t> weights;
};

// Output pixel i of `to` covers source [i * from / to, (i + 1) * from / to).
Spans spans(int from, int to)
{
    Spans s;
    s.taps = (from + to - 1) / to + 1;
    s.first.resize(static_cast<size_t>(to));
    s.weights.assign(static_cast<size_t>(to) * static_cast<size_t>(s.taps), 0u);
    for (int i = 0; i < to; ++i) {
        // Source positions in units of 1/to of a source pixel: exact integers.
        const std::int64_t begin = std::int64_t(i) * from;
        const std::int64_t end = std::int64_t(i + 1) * from;
        const std::int64_t first = begin / to;
        s.first[static_cast<size_t>(i)] = int(first);
        std::uint32_t* w = &s.weights[static_cast<size_t>(i) * static_cast<size_t>(s.taps)];
        std::uint32_t given = 0;
        for (std::int64_t p = first; p * to < end; ++p, ++w) {
            const std::int64_t covered = std::min(end, (p + 1) * to) - std::max(begin, p * to);
            // Rounded share; the last weight takes what rounding left, so the sum is One.
            const bool last = (p + 1) * to >= end;
            *w = last ? One - given : std::uint32_t((covered * One + from / 2) / from);
            given += *w;
        }
    }
    return s;
}

// The source rows of one output row summed per column, in 1/256 grey steps: `taps` rows from
// `rows`, each with its weight (zero past the span).
template <int Taps>
void sumDown(const uchar* const* rows, const std::uint32_t* w, int width, std::uint16_t* out)
{
    constexpr std::uint32_t Round = 1u << (WeightBits - 9);
    for (int x = 0; x < width; ++x) {
        std::uint32_t v = w[0] * rows[0][x] + w[1] * rows[1][x];
        if constexpr (Taps == 3)
            v += w[2] * rows[2][x];
        out[x] = std::uint16_t((v + Round) >> (WeightBits - 8));
    }
}

// Output pixel x of a row: the weighted sum of its `taps` column sums from first[x] on,
// rounded to a grey level.
template <int Taps> void sumAcross(const std::uint16_t* columns, const Spans& across, uchar* out)
{
    constexpr std::uint32_t Round = 1u << (WeightBits + 7);
    const size_t count = across.first.size();
    const int taps = Taps > 0 ? Taps : across.taps;
    const std::uint32_t* w = across.weights.data();
    const int* first = across.first.data();
    for (size_t x = 0; x < count; ++x, w += taps) {
        const std::uint16_t* c = columns + first[x];
        std::uint32_t v = w[0] * c[0] + w[1] * c[1];
        if constexpr (Taps == 3)
            v += w[2] * c[2];
        if constexpr (Taps == 0)
            for (int k = 2; k < taps; ++k)
                v += w[k] * c[k];
        out[x] = uchar((v + Round) >> (WeightBits + 8));
    }
}

// The row sums take their weights in 32-bit lanes, which SSE2 can only multiply through
// shuffles; AVX2 multiplies them in one step. The library picks the copy for the processor at
// load time; the results are the same integers either way.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define PAGULA_AVX2_CLONE __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef PAGULA_AVX2_CLONE
#define PAGULA_AVX2_CLONE
#endif

} // namespace

PAGULA_AVX2_CLONE QImage reduceGrey(const QImage& grey, QSize target)
{
    if (grey.format() != QImage::Format_Grayscale8 || target.isEmpty() ||
        target.width() > grey.width() || target.height() > grey.height())
        return {};
    if (grey.width() > MaxStep * target.width() || grey.height() > MaxStep * target.height()) {
        const QSize step(std::max(target.width(), (grey.width() + MaxStep - 1) / MaxStep),
                         std::max(target.height(), (grey.height() + MaxStep - 1) / MaxStep));
        return reduceGrey(reduceGrey(grey, step), target);
    }
    QImage result(target, QImage::Format_Grayscale8);
    if (result.isNull())
        return {};
    const Spans across = spans(grey.width(), target.width());
    const Spans down = spans(grey.height(), target.height());

    // Down first: the source rows of an output row summed per column, then across. The column
    // sums are padded so that every output pixel reads whole `taps`; rows past the picture
    // have no weight and stand in as its last row.
    const int width = grey.width();
    std::vector<std::uint16_t> columns(static_cast<size_t>(width + across.taps), 0);
    std::vector<const uchar*> rows(static_cast<size_t>(down.taps));
    std::vector<std::uint32_t> wide(down.taps > 3 ? static_cast<size_t>(width) : 0);
    for (int y = 0; y < target.height(); ++y) {
        const int first = down.first[static_cast<size_t>(y)];
        const std::uint32_t* weights = &down.weights[static_cast<size_t>(y) * size_t(down.taps)];
        for (int k = 0; k < down.taps; ++k)
            rows[size_t(k)] = grey.constScanLine(std::min(first + k, grey.height() - 1));
        if (down.taps == 2) {
            sumDown<2>(rows.data(), weights, width, columns.data());
        } else if (down.taps == 3) {
            sumDown<3>(rows.data(), weights, width, columns.data());
        } else {
            std::fill(wide.begin(), wide.end(), 0u);
            for (int k = 0; k < down.taps; ++k)
                for (int x = 0; x < width; ++x)
                    wide[size_t(x)] += weights[k] * rows[size_t(k)][x];
            for (int x = 0; x < width; ++x)
                columns[size_t(x)] =
                    std::uint16_t((wide[size_t(x)] + (1u << (WeightBits - 9))) >> (WeightBits - 8));
        }
        uchar* out = result.scanLine(y);
        if (across.taps == 2)
            sumAcross<2>(columns.data(), across, out);
        else if (across.taps == 3)
            sumAcross<3>(columns.data(), across, out);
        else
            sumAcross<0>(columns.data(), across, out);
    }
    result.setDotsPerMeterX(grey.dotsPerMeterX());
    result.setDotsPerMeterY(grey.dotsPerMeterY());
    return result;
}

} // namespace pagula::imaging
