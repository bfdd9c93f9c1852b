#include "imaging/GreyHistogram.h"

namespace pagula::imaging
{

GreyHistogram greyHistogram(const QImage& grey)
{
    // Four counts per level, taken in turn: runs of one level (paper) would otherwise wait on
    // each other's increments.
    std::array<std::array<quint32, 256>, 4> counts{};
    const int width = grey.width(), height = grey.height();
    for (int y = 0; y < height; ++y) {
        const uchar* line = grey.constScanLine(y);
        int x = 0;
        for (; x + 4 <= width; x += 4) {
            ++counts[0][line[x]];
            ++counts[1][line[x + 1]];
            ++counts[2][line[x + 2]];
            ++counts[3][line[x + 3]];
        }
        for (; x < width; ++x)
            ++counts[0][line[x]];
    }
    GreyHistogram histogram{};
    for (int level = 0; level < 256; ++level)
        histogram[size_t(level)] = qint64(counts[0][size_t(level)]) + counts[1][size_t(level)] +
                                   counts[2][size_t(level)] + counts[3][size_t(level)];
    return histogram;
}

int levelOfBrightest(const GreyHistogram& histogram, double share)
{
    qint64 total = 0;
    for (const qint64 count : histogram)
        total += count;
    qint64 brighter = 0;
    int level = 255;
    while (level > 0 && (brighter += histogram[size_t(level)]) < share * double(total))
        --level;
    return level;
}

} // namespace pagula::imaging
