#include "imaging/ReducedCopy.h"

#include <algorithm>
#include <vector>

namespace pagula::imaging
{

namespace
{

inline int luminanceOf(QRgb c)
{
    return (qRed(c) * 77 + qGreen(c) * 150 + qBlue(c) * 29 + 128) >> 8;
}

} // namespace

QImage reducedCopy(const QImage& picture, int factor, bool luminance)
{
    const bool grey = luminance || picture.format() == QImage::Format_Grayscale8;
    const QImage source = picture.format() == QImage::Format_Grayscale8
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    if (factor <= 1) {
        if (grey && source.format() != QImage::Format_Grayscale8) {
            QImage out(source.size(), QImage::Format_Grayscale8);
            for (int y = 0; y < source.height(); ++y) {
                const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
                uchar* line = out.scanLine(y);
                for (int x = 0; x < source.width(); ++x)
                    line[x] = uchar(luminanceOf(in[x]));
            }
            return out;
        }
        return source;
    }
    const int sourceWidth = source.width();
    const int width = (sourceWidth + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    QImage out(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const int channels = grey ? 1 : 3;
    std::vector<int> sums(size_t(width) * channels);
    for (int by = 0; by < height; ++by) {
        std::fill(sums.begin(), sums.end(), 0);
        const int y0 = by * factor, y1 = std::min(source.height(), y0 + factor);
        for (int y = y0; y < y1; ++y) {
            if (source.format() == QImage::Format_Grayscale8) {
                const uchar* in = source.constScanLine(y);
                for (int bx = 0, x = 0; bx < width; ++bx) {
                    int sum = 0;
                    for (const int end = std::min(sourceWidth, x + factor); x < end; ++x)
                        sum += in[x];
                    sums[size_t(bx)] += sum;
                }
                continue;
            }
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int bx = 0, x = 0; bx < width; ++bx) {
                int* b = &sums[size_t(bx) * channels];
                for (const int end = std::min(sourceWidth, x + factor); x < end; ++x) {
                    if (grey) {
                        b[0] += luminanceOf(in[x]);
                    } else {
                        b[0] += qRed(in[x]);
                        b[1] += qGreen(in[x]);
                        b[2] += qBlue(in[x]);
                    }
                }
            }
        }
        uchar* line = out.scanLine(by);
        for (int bx = 0; bx < width; ++bx) {
            const int count = (y1 - y0) * (std::min(sourceWidth, (bx + 1) * factor) - bx * factor);
            const size_t b = size_t(bx) * channels;
            if (grey)
                line[bx] = uchar((sums[b] + count / 2) / count);
            else
                reinterpret_cast<QRgb*>(line)[bx] =
                    qRgb((sums[b] + count / 2) / count, (sums[b + 1] + count / 2) / count,
                         (sums[b + 2] + count / 2) / count);
        }
    }
    return out;
}

} // namespace pagula::imaging
