#include "imaging/GreyHistogram.h"

namespace pagula::imaging
{

GreyHistogram greyHistogram(const QImage& grey)
{
    GreyHistogram histogram{};
    const int width = grey.width(), height = grey.height();
    for (int y = 0; y < height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < width; ++x)
            ++histogram[line[x]];
    }
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
