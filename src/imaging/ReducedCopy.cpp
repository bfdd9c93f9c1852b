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

// The grey picture's own path: sums in plain arrays that nothing else can alias, so that the
// compiler vectorises the pass over every pixel.
QImage reducedGrey(const QImage& source, int factor)
{
    const int sourceWidth = source.width();
    const int width = (sourceWidth + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    QImage out(width, height, QImage::Format_Grayscale8);
    if (out.isNull())
        return {};
    std::vector<quint32> columns(static_cast<size_t>(sourceWidth));
    quint32* __restrict sums = columns.data();
    for (int by = 0; by < height; ++by) {
        std::fill(columns.begin(), columns.end(), 0u);
        const int y0 = by * factor, y1 = std::min(source.height(), y0 + factor);
        for (int y = y0; y < y1; ++y) {
            const uchar* __restrict in = source.constScanLine(y);
            for (int x = 0; x < sourceWidth; ++x)
                sums[x] += in[x];
        }
        uchar* line = out.scanLine(by);
        // Rounded means by multiplying, not dividing: a division costs as much as the sums.
        // Exact: a whole quotient is short of its integer by far less than the margin added.
        const auto meanOf = [](quint32 sum, quint32 count) {
            return uchar(int((sum + count / 2) * (1.0 / count) + 1e-9));
        };
        const quint32 full = quint32((y1 - y0) * factor);
        const double perFull = 1.0 / full;
        for (int bx = 0; bx < width; ++bx) {
            const int x0 = bx * factor, x1 = std::min(sourceWidth, x0 + factor);
            quint32 sum = 0;
            for (int x = x0; x < x1; ++x)
                sum += sums[x];
            line[bx] = x1 - x0 == factor ? uchar(int((sum + full / 2) * perFull + 1e-9))
                                         : meanOf(sum, quint32((y1 - y0) * (x1 - x0)));
        }
    }
    return out;
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
    if (source.format() == QImage::Format_Grayscale8)
        return reducedGrey(source, factor);
    const int sourceWidth = source.width();
    const int width = (sourceWidth + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    QImage out(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const int channels = grey ? 1 : 3;
    // Each band of `factor` rows is first summed column by column, then the columns of each
    // block (grey pictures take reducedGrey above).
    std::vector<int> columns(size_t(sourceWidth) * channels);
    for (int by = 0; by < height; ++by) {
        std::fill(columns.begin(), columns.end(), 0);
        const int y0 = by * factor, y1 = std::min(source.height(), y0 + factor);
        for (int y = y0; y < y1; ++y) {
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
