#include "imaging/Adjustments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// Brightness and contrast as a word processor applies them to a picture: contrast first, a
// slope of tan(c * pi / 2) through the middle of the range (0 flat, 0.5 unchanged, towards a
// hard threshold at 1), then brightness as a shift of (b - 0.5) * 2 * 255, so that 0 is black
// and 1 white whatever the contrast. Both become one lookup table over 0..255; the colour
// type is applied after them.

namespace pagula::imaging
{

namespace
{

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

// The lookup table folded into the luminance weights (Rec. 601, in 1/256): the adjusted
// luminance of a pixel is three lookups and a shift, and a grey pixel keeps its level.
struct LuminanceLut {
    explicit LuminanceLut(const Lut& lut)
    {
        for (int v = 0; v < 256; ++v) {
            r[v] = 77 * lut[v];
            g[v] = 150 * lut[v];
            b[v] = 29 * lut[v] + 128;
        }
    }
    int operator()(int red, int green, int blue) const
    {
        return (r[red] + g[green] + b[blue]) >> 8;
    }
    std::array<int, 256> r{}, g{}, b{};
};

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

QImage newLike(const QImage& source, QImage::Format format)
{
    QImage out(source.size(), format);
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());
    if (format == QImage::Format_Mono)
        out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    return out;
}

// One line of grey levels as Format_Mono bits: 1 (white) from mid-grey up.
void packThreshold(const uchar* grey, int width, uchar* bits)
{
    for (int x0 = 0; x0 < width; x0 += 8) {
        uchar byte = 0;
        const int n = std::min(8, width - x0);
        for (int i = 0; i < n; ++i)
            byte |= uchar((grey[x0 + i] >= midGrey ? 0x80 : 0) >> i);
        bits[x0 >> 3] = byte;
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
    const LuminanceLut luminance(lut);
    const auto level = [&](QRgb c) {
        const QRgb w = overWhite(c);
        return uchar(luminance(qRed(w), qGreen(w), qBlue(w)));
    };
    const uchar levels[2] = {level(table[0]), level(table[1])};
    const int w = mono.width();
    if (mode == ColorMode::Greyscale) {
        QImage out = newLike(image, QImage::Format_Grayscale8);
        for (int y = 0; y < out.height(); ++y) {
            const uchar* src = mono.constScanLine(y);
            uchar* dst = out.scanLine(y);
            for (int x = 0; x < w; ++x)
                dst[x] = levels[(src[x >> 3] >> (7 - (x & 7))) & 1];
        }
        return out;
    }
    // Black and white: each source bit maps to black or white as a whole.
    const bool white0 = levels[0] >= midGrey;
    const bool white1 = levels[1] >= midGrey;
    QImage out = newLike(image, QImage::Format_Mono);
    const qsizetype bytes = (w + 7) / 8;
    for (int y = 0; y < out.height(); ++y) {
        const uchar* src = mono.constScanLine(y);
        uchar* dst = out.scanLine(y);
        for (qsizetype i = 0; i < bytes; ++i) {
            if (white0 == white1)
                dst[i] = white0 ? 0xFF : 0x00;
            else
                dst[i] = white1 ? src[i] : uchar(~src[i]);
        }
    }
    return out;
}

QImage adjustGrey(const QImage& image, const Lut& lut, ColorMode mode)
{
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width();
    if (mode == ColorMode::BlackAndWhite) {
        QImage out = newLike(image, QImage::Format_Mono);
        std::vector<uchar> row(static_cast<size_t>(w));
        for (int y = 0; y < grey.height(); ++y) {
            const uchar* src = grey.constScanLine(y);
            for (int x = 0; x < w; ++x)
                row[x] = lut[src[x]];
            packThreshold(row.data(), w, out.scanLine(y));
        }
        return out;
    }
    for (int y = 0; y < grey.height(); ++y) {
        uchar* line = grey.scanLine(y);
        for (int x = 0; x < w; ++x)
            line[x] = lut[line[x]];
    }
    return grey;
}

// Adjusted luminance of one line of 32-bit pixels; with alpha, as seen on white paper.
template <bool hasAlpha>
void luminanceLine(const QRgb* src, int width, const LuminanceLut& luminance, uchar* dst)
{
    for (int x = 0; x < width; ++x) {
        const QRgb c = hasAlpha ? overWhite(src[x]) : src[x];
        dst[x] = uchar(luminance(qRed(c), qGreen(c), qBlue(c)));
    }
}

QImage adjustColour(const QImage& image, const Lut& lut, ColorMode mode)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage src = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int w = src.width();
    const auto line = [&src](int y) { return reinterpret_cast<const QRgb*>(src.constScanLine(y)); };
    if (mode == ColorMode::Automatic) {
        QImage out = newLike(src, src.format());
        for (int y = 0; y < out.height(); ++y) {
            const QRgb* in = line(y);
            auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < w; ++x)
                dst[x] = adjusted(in[x], lut);
        }
        return out;
    }
    const LuminanceLut luminance(lut);
    const auto toGrey = alpha ? luminanceLine<true> : luminanceLine<false>;
    if (mode == ColorMode::Greyscale) {
        QImage out = newLike(src, QImage::Format_Grayscale8);
        for (int y = 0; y < out.height(); ++y)
            toGrey(line(y), w, luminance, out.scanLine(y));
        return out;
    }
    QImage out = newLike(src, QImage::Format_Mono);
    std::vector<uchar> row(static_cast<size_t>(w));
    for (int y = 0; y < out.height(); ++y) {
        toGrey(line(y), w, luminance, row.data());
        packThreshold(row.data(), w, out.scanLine(y));
    }
    return out;
}

} // namespace

QImage applyAdjustments(const QImage& image, const Adjustments& a)
{
    const double brightness = sanitized(a.brightness);
    const double contrast = sanitized(a.contrast);
    const bool levelsKept = brightness == 0.5 && contrast == 0.5;
    if (image.isNull() || (levelsKept && a.colorMode == ColorMode::Automatic))
        return image;
    // A grey picture is its own greyscale.
    if (levelsKept && a.colorMode == ColorMode::Greyscale &&
        image.format() == QImage::Format_Grayscale8)
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
