#include "imaging/PictureWarp.h"

#include <cmath>

namespace pagula::imaging
{

namespace
{

constexpr int weightBits = 8;
constexpr int weightOne = 1 << weightBits;

// A source position split into the top-left pixel and 8-bit bilinear weights; false outside.
struct Sample {
    int x0, y0, fx, fy;
};

inline bool sampleAt(double sx, double sy, int width, int height, Sample& s)
{
    // Pixel centres lie at half-integer positions.
    sx -= 0.5;
    sy -= 0.5;
    if (!(sx > -1.0 && sy > -1.0 && sx < width && sy < height))
        return false;
    const double fx = std::floor(sx);
    const double fy = std::floor(sy);
    s.x0 = int(fx);
    s.y0 = int(fy);
    s.fx = int((sx - fx) * weightOne);
    s.fy = int((sy - fy) * weightOne);
    return true;
}

// Neighbours beyond the picture's edge repeat the edge.
inline int clampIndex(int v, int limit)
{
    return v < 0 ? 0 : (v >= limit ? limit - 1 : v);
}

template <typename Pixel, typename Mix>
QImage warp(const QImage& source, const QTransform& planeToSource, const QRect& region,
            QImage::Format format, Pixel white, Mix mix)
{
    QImage out(region.size(), format);
    if (out.isNull())
        return {};
    const int w = source.width();
    const int h = source.height();
    for (int y = 0; y < region.height(); ++y) {
        auto* line = reinterpret_cast<Pixel*>(out.scanLine(y));
        // The homogeneous source position moves by a fixed step along a line.
        const double px = region.left() + 0.5;
        const double py = region.top() + y + 0.5;
        const QTransform& m = planeToSource;
        double hx = m.m11() * px + m.m21() * py + m.m31();
        double hy = m.m12() * px + m.m22() * py + m.m32();
        double hw = m.m13() * px + m.m23() * py + m.m33();
        for (int x = 0; x < region.width(); ++x, hx += m.m11(), hy += m.m12(), hw += m.m13()) {
            Sample s;
            if (!(std::abs(hw) > 1e-12) || !sampleAt(hx / hw, hy / hw, w, h, s)) {
                line[x] = white;
                continue;
            }
            const int x1 = clampIndex(s.x0 + 1, w), y1 = clampIndex(s.y0 + 1, h);
            const int x0 = clampIndex(s.x0, w), y0 = clampIndex(s.y0, h);
            const auto* row0 = reinterpret_cast<const Pixel*>(source.constScanLine(y0));
            const auto* row1 = reinterpret_cast<const Pixel*>(source.constScanLine(y1));
            line[x] = mix(row0[x0], row0[x1], row1[x0], row1[x1], s.fx, s.fy);
        }
    }
    return out;
}

inline int blend(int a, int b, int c, int d, int fx, int fy)
{
    const int top = a * (weightOne - fx) + b * fx;
    const int bottom = c * (weightOne - fx) + d * fx;
    return (top * (weightOne - fy) + bottom * fy + (1 << (2 * weightBits - 1))) >> (2 * weightBits);
}

} // namespace

QImage warpPicture(const QImage& picture, const QTransform& sourceToPlane, const QRect& region)
{
    bool invertible = false;
    const QTransform planeToSource = sourceToPlane.inverted(&invertible);
    if (!invertible || region.isEmpty() || picture.isNull())
        return {};
    if (picture.format() == QImage::Format_Grayscale8) {
        return warp(picture, planeToSource, region, QImage::Format_Grayscale8, uchar(255),
                    [](uchar a, uchar b, uchar c, uchar d, int fx, int fy) {
                        return uchar(blend(a, b, c, d, fx, fy));
                    });
    }
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    return warp(source, planeToSource, region, QImage::Format_RGB32, QRgb(0xffffffffu),
                [](QRgb a, QRgb b, QRgb c, QRgb d, int fx, int fy) {
                    return qRgb(blend(qRed(a), qRed(b), qRed(c), qRed(d), fx, fy),
                                blend(qGreen(a), qGreen(b), qGreen(c), qGreen(d), fx, fy),
                                blend(qBlue(a), qBlue(b), qBlue(c), qBlue(d), fx, fy));
                });
}

} // namespace pagula::imaging
