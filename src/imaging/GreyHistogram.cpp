#include "imaging/GreyHistogram.h"

namespace pagula::imaging
{

GreyHistogram greyHistogram(const QImage& grey)
{
    GreyHistogram histogram{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
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
