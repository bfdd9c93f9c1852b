#include "imaging/PictureWarp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

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

// The paper map as gains (8.8 fixed point) per channel, read bilinearly.
class GainMap
{
public:
    explicit GainMap(const PaperMap& paper) : step_(paper.step)
    {
        if (paper.isNull())
            return;
        const QImage& m = paper.levels;
        width_ = m.width();
        height_ = m.height();
        gains_.resize(size_t(width_) * height_ * 3);
        const auto gain = [](int level) { return (255 * 256) / std::max(level, darkestPaper); };
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                int* g = &gains_[(size_t(y) * width_ + x) * 3];
                if (m.format() == QImage::Format_Grayscale8) {
                    g[0] = g[1] = g[2] = gain(m.constScanLine(y)[x]);
                } else {
                    const QRgb c = reinterpret_cast<const QRgb*>(m.constScanLine(y))[x];
                    g[0] = gain(qRed(c));
                    g[1] = gain(qGreen(c));
                    g[2] = gain(qBlue(c));
                }
            }
    }
    bool isNull() const { return gains_.empty(); }

    // The gains at a point of the picture.
    void at(double sx, double sy, int out[3]) const
    {
        const double u = std::clamp(sx / step_ - 0.5, 0.0, width_ - 1.0);
        const double v = std::clamp(sy / step_ - 0.5, 0.0, height_ - 1.0);
        const int x0 = int(u), y0 = int(v);
        const int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
        const int fx = int((u - x0) * 256), fy = int((v - y0) * 256);
        const int* a = &gains_[(size_t(y0) * width_ + x0) * 3];
        const int* b = &gains_[(size_t(y0) * width_ + x1) * 3];
        const int* c = &gains_[(size_t(y1) * width_ + x0) * 3];
        const int* d = &gains_[(size_t(y1) * width_ + x1) * 3];
        for (int k = 0; k < 3; ++k)
            out[k] = blend(a[k], b[k], c[k], d[k], fx, fy);
    }

private:
    double step_;
    int width_ = 0, height_ = 0;
    std::vector<int> gains_;
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
                    if (gains.isNull())
                        fillSpan<Kind, false>(line + x0, n, bits, stride, fx, fy, dx, dy, g, gEnd);
                    else
                        fillSpan<Kind, true>(line + x0, n, bits, stride, fx, fy, dx, dy, g, gEnd);
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
    QImage out = source.copy(part);
    if (out.isNull() || gains.isNull())
        return out;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<Pixel*>(out.scanLine(y));
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
                Pixel& p = line[x0 + i];
                if constexpr (std::is_same_v<Kind, Grey>)
                    p = Pixel(applyGain(p, at[0] >> 8));
                else
                    p = qRgb(applyGain(qRed(p), at[0] >> 8), applyGain(qGreen(p), at[1] >> 8),
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
