#include "imaging/Adjustments.h"

#include <algorithm>
#include <array>
#include <cmath>

// Brightness and contrast as a word processor applies them to a picture: contrast first, a
// slope of tan(c * pi / 2) through the middle of the range (0 flat, 0.5 unchanged, towards a
// hard threshold at 1), then brightness as a shift of (b - 0.5) * 2 * 255, so that 0 is black
// and 1 white whatever the contrast. Both become one lookup table over 0..255; the colour
// type is applied after them.

namespace pagula::imaging {

namespace {

using Lut = std::array<uchar, 256>;

constexpr int midGrey = 128;
constexpr double pi = 3.14159265358979323846;

double sanitized(double v)
{
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.5;
}

Lut makeLut(double brightness, double contrast)
{
    const double shift = (brightness - 0.5) * 2.0 * 255.0;
    const bool threshold = contrast >= 1.0; // the slope grows without bound
    const double slope = threshold ? 0.0 : std::tan(contrast * pi / 2.0);
    Lut lut{};
    for (int v = 0; v < 256; ++v) {
        const double contrasted =
            threshold ? (v < midGrey ? 0.0 : 255.0) : (v - 127.5) * slope + 127.5;
        lut[v] = uchar(std::clamp(std::lround(contrasted + shift), 0L, 255L));
    }
    return lut;
}

// Luminance with Rec. 601 weights in 1/256: a grey pixel keeps its level.
inline int luminance(int r, int g, int b)
{
    return (77 * r + 150 * g + 29 * b + 128) >> 8;
}

// What a pixel looks like on white paper.
inline QRgb overWhite(QRgb c)
{
    const int a = qAlpha(c);
    if (a == 255)
        return c;
    const auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

inline QRgb adjusted(QRgb c, const Lut& lut)
{
    return qRgba(lut[qRed(c)], lut[qGreen(c)], lut[qBlue(c)], qAlpha(c));
}

inline int adjustedLuminance(QRgb c, const Lut& lut)
{
    const QRgb a = adjusted(overWhite(c), lut);
    return luminance(qRed(a), qGreen(a), qBlue(a));
}

QImage newLike(const QImage& source, QImage::Format format)
{
    QImage out(source.size(), format);
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());
    if (format == QImage::Format_Mono)
        out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    return out;
}

// Black and white as Format_Mono, index 0 black and 1 white, from a per-pixel "is white".
template <typename IsWhite>
void fillMono(QImage& out, IsWhite isWhite)
{
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        uchar* dst = out.scanLine(y);
        for (int x0 = 0; x0 < w; x0 += 8) {
            uchar byte = 0;
            const int n = std::min(8, w - x0);
            for (int i = 0; i < n; ++i) {
                if (isWhite(x0 + i, y))
                    byte |= uchar(0x80 >> i);
            }
            dst[x0 >> 3] = byte;
        }
    }
}

QImage adjustMono(const QImage& image, const Lut& lut, ColorMode mode)
{
    QImage mono = image.convertToFormat(QImage::Format_Mono);
    QList<QRgb> table = mono.colorTable();
    if (table.size() < 2)
        table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};

    if (mode == ColorMode::Automatic) {
        mono.setColorTable({adjusted(table[0], lut), adjusted(table[1], lut)});
        return mono;
    }
    const int level[2] = {adjustedLuminance(table[0], lut), adjustedLuminance(table[1], lut)};
    const auto bit = [&mono](int x, int y) { return (mono.constScanLine(y)[x >> 3] >> (7 - (x & 7))) & 1; };
    if (mode == ColorMode::Greyscale) {
        QImage out = newLike(image, QImage::Format_Grayscale8);
        for (int y = 0; y < out.height(); ++y) {
            uchar* dst = out.scanLine(y);
            for (int x = 0; x < out.width(); ++x)
                dst[x] = uchar(level[bit(x, y)]);
        }
        return out;
    }
    const bool white[2] = {level[0] >= midGrey, level[1] >= midGrey};
    QImage out = newLike(image, QImage::Format_Mono);
    fillMono(out, [&](int x, int y) { return white[bit(x, y)]; });
    return out;
}

QImage adjustGrey(const QImage& image, const Lut& lut, ColorMode mode)
{
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    if (mode == ColorMode::BlackAndWhite) {
        QImage out = newLike(image, QImage::Format_Mono);
        fillMono(out, [&](int x, int y) { return lut[grey.constScanLine(y)[x]] >= midGrey; });
        return out;
    }
    for (int y = 0; y < grey.height(); ++y) {
        uchar* line = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            line[x] = lut[line[x]];
    }
    return grey;
}

QImage adjustColour(const QImage& image, const Lut& lut, ColorMode mode)
{
    const QImage src = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    const auto pixel = [&src](int x, int y) {
        return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x];
    };
    switch (mode) {
    case ColorMode::Automatic: {
        QImage out = newLike(src, src.format());
        for (int y = 0; y < out.height(); ++y) {
            auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                dst[x] = adjusted(pixel(x, y), lut);
        }
        return out;
    }
    case ColorMode::Greyscale: {
        QImage out = newLike(src, QImage::Format_Grayscale8);
        for (int y = 0; y < out.height(); ++y) {
            uchar* dst = out.scanLine(y);
            for (int x = 0; x < out.width(); ++x)
                dst[x] = uchar(adjustedLuminance(pixel(x, y), lut));
        }
        return out;
    }
    case ColorMode::BlackAndWhite: {
        QImage out = newLike(src, QImage::Format_Mono);
        fillMono(out, [&](int x, int y) { return adjustedLuminance(pixel(x, y), lut) >= midGrey; });
        return out;
    }
    }
    return src;
}

} // namespace

QImage applyAdjustments(const QImage& image, const Adjustments& a)
{
    const double brightness = sanitized(a.brightness);
    const double contrast = sanitized(a.contrast);
    if (image.isNull() ||
        (brightness == 0.5 && contrast == 0.5 && a.colorMode == ColorMode::Automatic))
        return image;
    const Lut lut = makeLut(brightness, contrast);
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return adjustMono(image, lut, a.colorMode);
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
        return adjustGrey(image, lut, a.colorMode);
    default:
        return adjustColour(image, lut, a.colorMode);
    }
}

} // namespace pagula::imaging
