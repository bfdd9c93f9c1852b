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
    // Each band of `factor` rows is first summed column by column (a straight pass the compiler
    // vectorises), then the columns of each block.
    std::vector<int> columns(size_t(sourceWidth) * channels);
    for (int by = 0; by < height; ++by) {
        std::fill(columns.begin(), columns.end(), 0);
        const int y0 = by * factor, y1 = std::min(source.height(), y0 + factor);
        for (int y = y0; y < y1; ++y) {
            if (source.format() == QImage::Format_Grayscale8) {
                const uchar* in = source.constScanLine(y);
                for (int x = 0; x < sourceWidth; ++x)
                    columns[size_t(x)] += in[x];
                continue;
            }
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < sourceWidth; ++x) {
                int* c = &columns[size_t(x) * channels];
                if (grey) {
                    c[0] += luminanceOf(in[x]);
                } else {
                    c[0] += qRed(in[x]);
                    c[1] += qGreen(in[x]);
                    c[2] += qBlue(in[x]);
                }
            }
        }
        uchar* line = out.scanLine(by);
        for (int bx = 0; bx < width; ++bx) {
            const int x0 = bx * factor, x1 = std::min(sourceWidth, x0 + factor);
            const int count = (y1 - y0) * (x1 - x0);
            int sum[3] = {0, 0, 0};
            for (int x = x0; x < x1; ++x)
                for (int k = 0; k < channels; ++k)
                    sum[k] += columns[size_t(x) * channels + k];
            if (grey)
                line[bx] = uchar((sum[0] + count / 2) / count);
            else
                reinterpret_cast<QRgb*>(line)[bx] =
                    qRgb((sum[0] + count / 2) / count, (sum[1] + count / 2) / count,
                         (sum[2] + count / 2) / count);
        }
    }
    return out;
}

} // namespace pagula::imaging
