#include "imaging/PcxDecoder.h"

#include "imaging/ImageIO.h"
#include "imaging/Limits.h"
#include "imaging/PcxHeader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace pagula::imaging
{

namespace
{

enum class Layout { Mono, Ega16, Palette256, Rgb24 };

// Run-length coding stores at most 63 bytes in two, so a payload of n bytes expands to at most
// 31.5 n bytes (plus one run cut off at the end).
constexpr qint64 maxRunLength = 63;

ImageError damaged(const QString& why)
{
    return ImageError(QStringLiteral("Damaged PCX file: %1").arg(why));
}

ImageError truncated()
{
    return ImageError(QStringLiteral("PCX file is truncated"));
}

using Palette = std::array<QRgb, 256>;

// The 16 colours of an EGA card, for files whose header carries no palette.
constexpr std::array<QRgb, 16> standardEgaPalette = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF};

Palette egaPalette(const PcxHeader& h)
{
    Palette p{};
    // Version 3 means "no palette"; an all-zero palette is the same in practice.
    const bool stated = h.version != 3 && std::any_of(h.egaPalette.begin(), h.egaPalette.end(),
                                                      [](quint8 v) { return v != 0; });
    for (int i = 0; i < 16; ++i) {
        p[i] = stated ? qRgb(h.egaPalette[i * 3], h.egaPalette[i * 3 + 1], h.egaPalette[i * 3 + 2])
                      : standardEgaPalette[i];
    }
    return p;
}

// Reads the run-length coded (or raw) stream one line at a time. Runs may cross line ends,
// as several writers produce them; a run count of 0 yields nothing.
class LineReader
{
public:
    LineReader(const uchar* data, qint64 size, bool encoded)
        : data_(data), size_(size), encoded_(encoded)
    {
    }

    void readLine(uchar* line, qint64 length)
    {
        if (!encoded_) {
            if (size_ - pos_ < length)
                throw truncated();
            std::memcpy(line, data_ + pos_, size_t(length));
            pos_ += length;
            return;
        }
        qint64 filled = 0;
        while (filled < length) {
            if (runLeft_ > 0) {
                const qint64 n = std::min(runLeft_, length - filled);
                std::memset(line + filled, runValue_, size_t(n));
                filled += n;
                runLeft_ -= n;
                continue;
            }
            if (pos_ >= size_)
                throw truncated();
            const uchar b = data_[pos_++];
            if ((b & 0xC0) != 0xC0) {
                line[filled++] = b;
                continue;
            }
            if (pos_ >= size_)
                throw truncated(); // the file ends between a run's count and its value
            runLeft_ = b & 0x3F;
            runValue_ = data_[pos_++];
        }
    }

private:
    const uchar* data_;
    qint64 size_;
    bool encoded_;
    qint64 pos_ = 0;
    qint64 runLeft_ = 0;
    uchar runValue_ = 0;
};

} // namespace

QImage decodePcx(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    const auto header = parsePcxHeader(bytes.constData(), size);
    if (!header)
        throw ImageError(QStringLiteral("Damaged PCX header"));
    const PcxHeader& h = *header;

    const qint64 width = h.width();
    const qint64 height = h.height();
    if (width <= 0 || height <= 0)
        throw damaged(QStringLiteral("the picture's end lies before its start"));

    Layout layout;
    if (h.bitsPerPixel == 1 && h.planes == 1)
        layout = Layout::Mono;
    else if (h.bitsPerPixel == 1 && h.planes == 4)
        layout = Layout::Ega16;
    else if (h.bitsPerPixel == 8 && h.planes == 1)
        layout = Layout::Palette256;
    else if (h.bitsPerPixel == 8 && h.planes == 3)
        layout = Layout::Rgb24;
    else
        throw ImageError(QStringLiteral("Unsupported PCX format (%1 bits per pixel, %2 planes)")
                             .arg(h.bitsPerPixel)
                             .arg(h.planes));

    // A line of one plane must hold the width; longer lines are padding and are skipped.
    const qint64 bitsPerPlaneLine = width * h.bitsPerPixel;
    if (h.bytesPerLine == 0 || qint64(h.bytesPerLine) * 8 < bitsPerPlaneLine)
        throw damaged(QStringLiteral("%1 bytes per line cannot hold %2 pixels")
                          .arg(h.bytesPerLine)
                          .arg(width));

    // The 256-colour palette is the file's last 768 bytes, after a 0x0C marker. Without it
    // the values are taken as grey levels.
    qint64 payloadEnd = size;
    Palette palette{};
    bool grey = true;
    if (layout == Layout::Palette256) {
        constexpr qint64 paletteBytes = 768;
        const bool hasPalette =
            size >= PcxHeader::size + 1 + paletteBytes && data[size - paletteBytes - 1] == 0x0C;
        const uchar* p = data + size - paletteBytes;
        for (int i = 0; i < 256; ++i) {
            palette[i] = hasPalette ? qRgb(p[i * 3], p[i * 3 + 1], p[i * 3 + 2]) : qRgb(i, i, i);
            grey = grey && qRed(palette[i]) == qGreen(palette[i]) &&
                   qGreen(palette[i]) == qBlue(palette[i]);
        }
        if (hasPalette)
            payloadEnd = size - paletteBytes - 1;
    } else if (layout == Layout::Ega16) {
        palette = egaPalette(h);
    }

    // Refuse a header that promises more than the payload can hold before allocating.
    const qint64 lineBytes = qint64(h.bytesPerLine) * h.planes;
    const qint64 payload = payloadEnd - PcxHeader::size;
    const bool encoded = h.encoding == 1;
    const qint64 capacity = encoded ? payload * maxRunLength / 2 + maxRunLength : payload;
    if (lineBytes * height > capacity)
        throw truncated();

    const QImage::Format format = layout == Layout::Mono ? QImage::Format_Mono
                                  : (layout == Layout::Palette256 && grey)
                                      ? QImage::Format_Grayscale8
                                      : QImage::Format_RGB32;
    if (!limits::fitsDecodeLimits(width, height, QImage::toPixelFormat(format).bitsPerPixel()))
        throw PictureTooLargeError(QString(), QSize(int(qMin<qint64>(width, INT_MAX)),
                                                    int(qMin<qint64>(height, INT_MAX))));
    QImage image(int(width), int(height), format);
    if (image.isNull())
        throw ImageError(
            QStringLiteral("Not enough memory for a %1 x %2 picture").arg(width).arg(height));
    if (layout == Layout::Mono)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});

    LineReader reader(data + PcxHeader::size, payload, encoded);
    std::vector<uchar> line(static_cast<size_t>(lineBytes));
    const int w = int(width);
    const int bpl = h.bytesPerLine;
    for (int y = 0; y < int(height); ++y) {
        reader.readLine(line.data(), lineBytes);
        const uchar* src = line.data();
        uchar* dst = image.scanLine(y);
        auto* dst32 = reinterpret_cast<QRgb*>(dst);
        switch (layout) {
        case Layout::Mono:
            std::memcpy(dst, src, size_t((w + 7) / 8));
            break;
        case Layout::Ega16:
            for (int x = 0; x < w; ++x) {
                const int byte = x >> 3;
                const int shift = 7 - (x & 7);
                const int index = ((src[byte] >> shift) & 1) |
                                  (((src[bpl + byte] >> shift) & 1) << 1) |
                                  (((src[2 * bpl + byte] >> shift) & 1) << 2) |
                                  (((src[3 * bpl + byte] >> shift) & 1) << 3);
                dst32[x] = palette[index];
            }
            break;
        case Layout::Palette256:
            if (grey) {
                for (int x = 0; x < w; ++x)
                    dst[x] = uchar(qRed(palette[src[x]]));
            } else {
                for (int x = 0; x < w; ++x)
                    dst32[x] = palette[src[x]];
            }
            break;
        case Layout::Rgb24:
            for (int x = 0; x < w; ++x)
                dst32[x] = qRgb(src[x], src[bpl + x], src[2 * bpl + x]);
            break;
        }
    }
    return image;
}

} // namespace pagula::imaging
