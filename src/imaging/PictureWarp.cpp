#include "imaging/PictureWarp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define PAGULA_WARP_AVX2 1
#endif

namespace pagula::imaging
{

namespace
{

// Source positions in fixed point with fracBits fraction bits; bilinear weights of 8 bits.
constexpr int fracBits = 16;
constexpr std::int64_t one = std::int64_t(1) << fracBits;
constexpr int weightShift = fracBits - 8;
// Exact positions (and paper gains) are computed every `span` pixels along a line and
// interpolated between: a perspective bends the path so little over a span that the error
// stays far below a pixel, and paper brightness changes slowly.
constexpr int span = 32;
// Gains are 8.8 fixed point; paper darker than this is not lifted further.
constexpr int darkestPaper = 16;
// Spans stepping farther than this per pixel are left to the plain loop, so that positions
// within a span fit 32-bit lanes.
constexpr std::int64_t maxLaneStep = std::int64_t(64) << fracBits;

inline int blend(int a, int b, int c, int d, int fx, int fy)
{
    const int top = (a << 8) + (b - a) * fx;
    const int bottom = (c << 8) + (d - c) * fx;
    return ((top << 8) + (bottom - top) * fy + (1 << 15)) >> 16;
}

inline int applyGain(int value, int gain)
{
    return std::min(255, (value * gain + 128) >> 8);
}

// Each paper level's gain (8.8 fixed point): 255 * 256 / level.
struct GainTable {
    int gains[256];
    GainTable()
    {
        for (int level = 0; level < 256; ++level)
            gains[level] = (255 * 256) / std::max(level, darkestPaper);
    }
};

// The paper map as gains per channel, read bilinearly.
class GainMap
{
public:
    explicit GainMap(const PaperMap& paper) : map_(paper.levels), step_(paper.step)
    {
        grey_ = map_.format() == QImage::Format_Grayscale8;
        if (!map_.isNull() && !grey_ && map_.format() != QImage::Format_RGB32)
            map_ = map_.convertToFormat(QImage::Format_RGB32);
        width_ = map_.width();
        height_ = map_.height();
    }
    bool isNull() const { return map_.isNull(); }

    // The gains at a point of the picture.
    void at(double sx, double sy, int out[3]) const
    {
        static const GainTable table;
        const double u = std::clamp(sx / step_ - 0.5, 0.0, width_ - 1.0);
        const double v = std::clamp(sy / step_ - 0.5, 0.0, height_ - 1.0);
        const int x0 = int(u), y0 = int(v);
        const int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
        const int fx = int((u - x0) * 256), fy = int((v - y0) * 256);
        const uchar* row0 = map_.constScanLine(y0);
        const uchar* row1 = map_.constScanLine(y1);
        for (int k = 0; k < 3; ++k) {
            const auto level = [&](const uchar* row, int x) {
                if (grey_)
                    return table.gains[row[x]];
                const QRgb c = reinterpret_cast<const QRgb*>(row)[x];
                return table.gains[k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c)];
            };
            out[k] =
                blend(level(row0, x0), level(row0, x1), level(row1, x0), level(row1, x1), fx, fy);
        }
    }

private:
    QImage map_;
    double step_;
    bool grey_ = true;
    int width_ = 0, height_ = 0;
};

struct Grey {
    static constexpr int channels = 1;
    using Pixel = uchar;
    static constexpr Pixel white = 255;
    static Pixel mix(const Pixel* row0, const Pixel* row1, int x, int fx, int fy, const int* g)
    {
        return Pixel(applyGain(blend(row0[x], row0[x + 1], row1[x], row1[x + 1], fx, fy), g[0]));
    }
};

struct Colour {
    static constexpr int channels = 3;
    using Pixel = QRgb;
    static constexpr Pixel white = 0xffffffffu;
    static Pixel mix(const Pixel* row0, const Pixel* row1, int x, int fx, int fy, const int* g)
    {
        const QRgb a = row0[x], b = row0[x + 1], c = row1[x], d = row1[x + 1];
        return qRgb(applyGain(blend(qRed(a), qRed(b), qRed(c), qRed(d), fx, fy), g[0]),
                    applyGain(blend(qGreen(a), qGreen(b), qGreen(c), qGreen(d), fx, fy), g[1]),
                    applyGain(blend(qBlue(a), qBlue(b), qBlue(c), qBlue(d), fx, fy), g[2]));
    }
};

// The source position of a plane point; false where the transform has no finite answer there
// or it lies far away.
bool sourceAt(const QTransform& m, double px, double py, double& sx, double& sy)
{
    const double w = m.m13() * px + m.m23() * py + m.m33();
    if (!(std::abs(w) > 1e-12))
        return false;
    sx = (m.m11() * px + m.m21() * py + m.m31()) / w;
    sy = (m.m12() * px + m.m22() * py + m.m32()) / w;
    constexpr double far = 1 << 18;
    return std::abs(sx) < far && std::abs(sy) < far;
}

// Fixed point, measured from the centre of the top-left pixel.
inline std::int64_t fixed(double v)
{
    return std::int64_t(std::floor((v - 0.5) * one));
}

// The part of the source that a region draws on, with one pixel more all round (the picture's
// own edge repeated where it ends), so that bilinear reads need no checks: source pixel (x, y)
// is at (x - origin.x(), y - origin.y()) here.
template <typename Pixel>
QImage withRim(const QImage& source, const QRect& footprint, QPoint& origin)
{
    const QRect part = footprint.adjusted(-1, -1, 1, 1);
    origin = part.topLeft();
    QImage rimmed(part.size(), source.format());
    if (rimmed.isNull())
        return {};
    const int w = source.width(), h = source.height();
    for (int y = 0; y < part.height(); ++y) {
        const auto* in = reinterpret_cast<const Pixel*>(
            source.constScanLine(std::clamp(part.top() + y, 0, h - 1)));
        auto* out = reinterpret_cast<Pixel*>(rimmed.scanLine(y));
        // The footprint lies within the picture: only the rim may repeat its edge.
        out[0] = in[std::max(part.left(), 0)];
        std::copy(in + footprint.left(), in + footprint.right() + 1, out + 1);
        out[part.width() - 1] = in[std::min(part.right(), w - 1)];
    }
    return rimmed;
}

// One span of a line: n pixels from position (fx, fy) of the rimmed source in steps (dx, dy),
// all of whose bilinear neighbourhoods lie within it, with gains stepping from g to gEnd.
template <typename Kind, bool withGains>
void fillSpan(typename Kind::Pixel* out, int n, const uchar* bits, qsizetype stride,
              std::int64_t fx, std::int64_t fy, std::int64_t dx, std::int64_t dy, const int g[3],
              const int gEnd[3])
{
    using Pixel = typename Kind::Pixel;
    constexpr int channels = Kind::channels;
    int gAt[3], gStep[3];
    for (int k = 0; k < channels; ++k) {
        gAt[k] = g[k] * 256;
        gStep[k] = (gEnd[k] - g[k]) * 256 / n;
    }
    for (int i = 0; i < n; ++i, fx += dx, fy += dy) {
        const int sx = int(fx >> fracBits), sy = int(fy >> fracBits);
        const auto* row0 = reinterpret_cast<const Pixel*>(bits + sy * stride);
        const auto* row1 = reinterpret_cast<const Pixel*>(bits + (sy + 1) * stride);
        const int wx = int(fx >> weightShift) & 255, wy = int(fy >> weightShift) & 255;
        if constexpr (withGains) {
            int current[3];
            for (int k = 0; k < channels; ++k) {
                current[k] = gAt[k] >> 8;
                gAt[k] += gStep[k];
            }
            out[i] = Kind::mix(row0, row1, sx, wx, wy, current);
        } else {
            static constexpr int unchanged[3] = {256, 256, 256};
            out[i] = Kind::mix(row0, row1, sx, wx, wy, unchanged);
        }
    }
}

#ifdef PAGULA_WARP_AVX2
// fillSpan<Grey> eight pixels at a time: the blend runs in 32-bit lanes, each pixel's pair of
// neighbours on a row read as one 16-bit word (plain loads: gathers are slower here). The same
// integers as the plain loop.
__attribute__((target("avx2"))) void fillGreySpanAvx2(uchar* out, int n, const uchar* bits,
                                                      qsizetype stride, std::int64_t fx,
                                                      std::int64_t fy, std::int64_t dx,
                                                      std::int64_t dy, int g, int gEnd)
{
    // Positions relative to the first pixel's, in 32-bit lanes: a span is short.
    const uchar* base = bits + (fy >> fracBits) * stride + (fx >> fracBits);
    const int fracX = int(fx & (one - 1)), fracY = int(fy & (one - 1));
    const int gStep = (gEnd - g) * 256 / n;
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i byte = _mm256_set1_epi32(255);
    const __m256i rowStride = _mm256_set1_epi32(int(stride));
    const __m256i pick =
        _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12,
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i at = _mm256_add_epi32(_mm256_set1_epi32(i), lanes);
        const __m256i px = _mm256_add_epi32(_mm256_set1_epi32(fracX),
                                            _mm256_mullo_epi32(at, _mm256_set1_epi32(int(dx))));
        const __m256i py = _mm256_add_epi32(_mm256_set1_epi32(fracY),
                                            _mm256_mullo_epi32(at, _mm256_set1_epi32(int(dy))));
        const __m256i offset =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(py, fracBits), rowStride),
                             _mm256_srai_epi32(px, fracBits));
        alignas(32) int at8[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(at8), offset);
        quint16 u[8], l[8];
        for (int k = 0; k < 8; ++k) {
            std::memcpy(&u[k], base + at8[k], 2);
            std::memcpy(&l[k], base + stride + at8[k], 2);
        }
        const __m256i upper =
            _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(u)));
        const __m256i lower =
            _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(l)));
        const __m256i a = _mm256_and_si256(upper, byte);
        const __m256i b = _mm256_and_si256(_mm256_srli_epi32(upper, 8), byte);
        const __m256i c = _mm256_and_si256(lower, byte);
        const __m256i d = _mm256_and_si256(_mm256_srli_epi32(lower, 8), byte);
        const __m256i wx = _mm256_and_si256(_mm256_srai_epi32(px, weightShift), byte);
        const __m256i wy = _mm256_and_si256(_mm256_srai_epi32(py, weightShift), byte);
        const __m256i top = _mm256_add_epi32(_mm256_slli_epi32(a, 8),
                                             _mm256_mullo_epi32(_mm256_sub_epi32(b, a), wx));
        const __m256i bottom = _mm256_add_epi32(_mm256_slli_epi32(c, 8),
                                                _mm256_mullo_epi32(_mm256_sub_epi32(d, c), wx));
        __m256i v = _mm256_add_epi32(
            _mm256_add_epi32(_mm256_slli_epi32(top, 8),
                             _mm256_mullo_epi32(_mm256_sub_epi32(bottom, top), wy)),
            _mm256_set1_epi32(1 << 15));
        v = _mm256_srai_epi32(v, 16);
        const __m256i gain =
            _mm256_srai_epi32(_mm256_add_epi32(_mm256_set1_epi32(g * 256),
                                               _mm256_mullo_epi32(at, _mm256_set1_epi32(gStep))),
                              8);
        v = _mm256_min_epi32(
            byte, _mm256_srai_epi32(
                      _mm256_add_epi32(_mm256_mullo_epi32(v, gain), _mm256_set1_epi32(128)), 8));
        const __m256i packed = _mm256_shuffle_epi8(v, pick);
        const int low = _mm_cvtsi128_si32(_mm256_castsi256_si128(packed));
        const int high = _mm_cvtsi128_si32(_mm256_extracti128_si256(packed, 1));
        std::memcpy(out + i, &low, 4);
        std::memcpy(out + i + 4, &high, 4);
    }
    for (; i < n; ++i) {
        const std::int64_t x = fx + dx * i, y = fy + dy * i;
        const uchar* row0 = bits + (y >> fracBits) * stride;
        const int sx = int(x >> fracBits);
        const int wx = int(x >> weightShift) & 255, wy = int(y >> weightShift) & 255;
        out[i] = uchar(applyGain(
            blend(row0[sx], row0[sx + 1], row0[sx + stride], row0[sx + stride + 1], wx, wy),
            (g * 256 + i * gStep) >> 8));
    }
}

bool hasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

// fillSpan eight pixels at a time where the processor and the kind of picture allow it; false
// where they do not.
template <typename Kind>
bool vectorSpan([[maybe_unused]] typename Kind::Pixel* out, [[maybe_unused]] int n,
                [[maybe_unused]] const uchar* bits, [[maybe_unused]] qsizetype stride,
                [[maybe_unused]] std::int64_t fx, [[maybe_unused]] std::int64_t fy,
                [[maybe_unused]] std::int64_t dx, [[maybe_unused]] std::int64_t dy,
                [[maybe_unused]] const int g[3], [[maybe_unused]] const int gEnd[3])
{
#ifdef PAGULA_WARP_AVX2
    if constexpr (std::is_same_v<Kind, Grey>) {
        if (hasAvx2() && std::abs(dx) < maxLaneStep && std::abs(dy) < maxLaneStep) {
            fillGreySpanAvx2(out, n, bits, stride, fx, fy, dx, dy, g[0], gEnd[0]);
            return true;
        }
    }
#endif
    return false;
}

template <typename Kind>
QImage warp(const QImage& source, const QTransform& planeToSource, const QRect& region,
            const GainMap& gains, QImage::Format format)
{
    using Pixel = typename Kind::Pixel;
    // Only the part of the source the region draws on is read.
    const QRect footprint =
        planeToSource.mapRect(QRectF(region)).toAlignedRect().intersected(source.rect());
    QImage out(region.size(), format);
    if (out.isNull())
        return {};
    if (footprint.isEmpty()) {
        out.fill(Kind::white);
        return out;
    }
    QPoint origin;
    const QImage rimmed = withRim<Pixel>(source, footprint, origin);
    if (rimmed.isNull())
        return {};
    const uchar* bits = rimmed.constBits();
    const qsizetype stride = rimmed.bytesPerLine();
    // Positions within the picture, or less than a pixel beyond its edge, blend what is there
    // with the repeated edge; farther out is white.
    const std::int64_t lowX = std::int64_t(-1 - origin.x()) * one;
    const std::int64_t lowY = std::int64_t(-1 - origin.y()) * one;
    const std::int64_t highX = std::int64_t(source.width() - origin.x()) * one;
    const std::int64_t highY = std::int64_t(source.height() - origin.y()) * one;
    // And within the rimmed part, whose neighbourhoods can be read.
    const std::int64_t endX = std::int64_t(rimmed.width() - 1) * one;
    const std::int64_t endY = std::int64_t(rimmed.height() - 1) * one;
    const auto inside = [&](std::int64_t fx, std::int64_t fy) {
        return fx >= std::max<std::int64_t>(lowX, 0) && fy >= std::max<std::int64_t>(lowY, 0) &&
               fx < std::min(highX, endX) && fy < std::min(highY, endY);
    };
    for (int y = 0; y < region.height(); ++y) {
        auto* line = reinterpret_cast<Pixel*>(out.scanLine(y));
        const double py = region.top() + y + 0.5;
        // Each span starts where the last one ended: one exact position and one gain reading
        // per span.
        double ax = 0, ay = 0;
        bool aKnown = sourceAt(planeToSource, region.left() + 0.5, py, ax, ay);
        int g[3] = {256, 256, 256};
        if (aKnown && !gains.isNull())
            gains.at(ax, ay, g);
        for (int x0 = 0; x0 < region.width(); x0 += span) {
            const int n = std::min(span, region.width() - x0);
            double bx = 0, by = 0;
            const bool bKnown = sourceAt(planeToSource, region.left() + x0 + n + 0.5, py, bx, by);
            int gEnd[3] = {256, 256, 256};
            if (bKnown && !gains.isNull())
                gains.at(bx, by, gEnd);
            if (!aKnown || !bKnown) {
                std::fill(line + x0, line + x0 + n, Kind::white);
            } else {
                const double perPixel = double(one) / n;
                const std::int64_t fx = fixed(ax - origin.x()), fy = fixed(ay - origin.y());
                const auto step = [perPixel](double d) {
                    return std::int64_t(std::floor(d * perPixel + 0.5));
                };
                const std::int64_t dx = step(bx - ax), dy = step(by - ay);
                const std::int64_t lastX = fx + dx * (n - 1), lastY = fy + dy * (n - 1);
                if (inside(fx, fy) && inside(lastX, lastY)) {
                    // A straight path: both ends inside means every pixel between is.
                    if (!vectorSpan<Kind>(line + x0, n, bits, stride, fx, fy, dx, dy, g, gEnd)) {
                        if (gains.isNull())
                            fillSpan<Kind, false>(line + x0, n, bits, stride, fx, fy, dx, dy, g,
                                                  gEnd);
                        else
                            fillSpan<Kind, true>(line + x0, n, bits, stride, fx, fy, dx, dy, g,
                                                 gEnd);
                    }
                } else {
                    // Across the edge: pixel by pixel, white outside.
                    for (int i = 0; i < n; ++i) {
                        const std::int64_t px = fx + dx * i, qy = fy + dy * i;
                        if (!inside(px, qy)) {
                            line[x0 + i] = Kind::white;
                            continue;
                        }
                        fillSpan<Kind, true>(line + x0 + i, 1, bits, stride, px, qy, 0, 0, g, g);
                    }
                }
            }
            ax = bx;
            ay = by;
            aKnown = bKnown;
            std::copy(gEnd, gEnd + 3, g);
        }
    }
    return out;
}

// A plain cut: the pixels as they are, each divided by its paper.
template <typename Kind>
QImage cutOut(const QImage& source, const QRect& part, const GainMap& gains)
{
    using Pixel = typename Kind::Pixel;
    if (gains.isNull())
        return source.copy(part);
    // Copied and divided in one pass.
    QImage out(part.size(), source.format());
    if (out.isNull())
        return out;
    for (int y = 0; y < out.height(); ++y) {
        const auto* __restrict in =
            reinterpret_cast<const Pixel*>(source.constScanLine(part.top() + y)) + part.left();
        auto* __restrict line = reinterpret_cast<Pixel*>(out.scanLine(y));
        const double sy = part.top() + y + 0.5;
        int g[3], gEnd[3];
        gains.at(part.left() + 0.5, sy, g);
        for (int x0 = 0; x0 < out.width(); x0 += span) {
            const int n = std::min(span, out.width() - x0);
            gains.at(part.left() + x0 + n + 0.5, sy, gEnd);
            int at[3], step[3];
            for (int k = 0; k < 3; ++k) {
                at[k] = g[k] * 256;
                step[k] = (gEnd[k] - g[k]) * 256 / n;
            }
            for (int i = 0; i < n; ++i) {
                const Pixel p = in[x0 + i];
                if constexpr (std::is_same_v<Kind, Grey>)
                    line[x0 + i] = Pixel(applyGain(p, at[0] >> 8));
                else
                    line[x0 + i] =
                        qRgb(applyGain(qRed(p), at[0] >> 8), applyGain(qGreen(p), at[1] >> 8),
                             applyGain(qBlue(p), at[2] >> 8));
                for (int k = 0; k < Kind::channels; ++k)
                    at[k] += step[k];
            }
            std::copy(gEnd, gEnd + 3, g);
        }
    }
    return out;
}

// The part of the source a region is when the plane is the picture moved by whole pixels;
// empty otherwise.
QRect plainPart(const QTransform& planeToSource, const QRect& region, const QSize& size)
{
    if (planeToSource.type() > QTransform::TxTranslate)
        return {};
    const double dx = planeToSource.dx(), dy = planeToSource.dy();
    if (dx != std::round(dx) || dy != std::round(dy))
        return {};
    const QRect part = region.translated(int(dx), int(dy));
    return QRect(QPoint(0, 0), size).contains(part) ? part : QRect();
}

} // namespace

QImage warpPicture(const QImage& picture, const QTransform& sourceToPlane, const QRect& region,
                   const PaperMap& paper)
{
    bool invertible = false;
    const QTransform planeToSource = sourceToPlane.inverted(&invertible);
    if (!invertible || region.isEmpty() || picture.isNull())
        return {};
    const GainMap gains(paper);
    const QRect plain = plainPart(planeToSource, region, picture.size());
    if (!plain.isEmpty())
        return picture.format() == QImage::Format_Grayscale8
                   ? cutOut<Grey>(picture, plain, gains)
                   : cutOut<Colour>(picture.convertToFormat(QImage::Format_RGB32), plain, gains);
    if (picture.format() == QImage::Format_Grayscale8)
        return warp<Grey>(picture, planeToSource, region, gains, QImage::Format_Grayscale8);
    return warp<Colour>(picture.convertToFormat(QImage::Format_RGB32), planeToSource, region, gains,
                        QImage::Format_RGB32);
}

} // namespace pagula::imaging
