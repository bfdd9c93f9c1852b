#include "imaging/PaperBrightness.h"

#include "imaging/GreyHistogram.h"
#include "imaging/LeptonicaImage.h"

#include <leptonica/allheaders.h>

#include <algorithm>

namespace pagula::imaging
{

namespace
{

constexpr int minSide = 16;
constexpr int reduction = 2;
// Below this the brightest tenth of the map is darkness, not paper.
constexpr int minPaperLevel = 48;

bool holdsPaper(const QImage& grey)
{
    return levelOfBrightest(greyHistogram(grey), paperShare) >= minPaperLevel;
}

// The closing spans a few letters of a page that fills the copy.
int closingAtReduction(QSize copy)
{
    return std::max(5, std::max(copy.width(), copy.height()) / reduction / 40) | 1;
}

} // namespace

int paperClosingSize(QSize copy)
{
    return closingAtReduction(copy) * reduction;
}

PaperMap paperBrightness(const QImage& copy, int copyFactor, Pix* figures)
{
    if (copy.width() < minSide || copy.height() < minSide)
        return {};
    const PixPtr pix = toPix(copy);
    if (!pix)
        return {};
    const int size = closingAtReduction(copy.size());
    QImage levels;
    if (pixGetDepth(pix.get()) == 8) {
        Pix* map = nullptr;
        if (pixGetBackgroundGrayMapMorph(pix.get(), figures, reduction, size, &map) != 0)
            return {};
        levels = fromPix(adopt(map).get());
    } else {
        Pix *red = nullptr, *green = nullptr, *blue = nullptr;
        const int failed =
            pixGetBackgroundRGBMapMorph(pix.get(), figures, reduction, size, &red, &green, &blue);
        const PixPtr r = adopt(red), g = adopt(green), b = adopt(blue);
        if (failed != 0 || !r || !g || !b)
            return {};
        const QImage channels[3] = {fromPix(r.get()), fromPix(g.get()), fromPix(b.get())};
        if (channels[0].isNull() || channels[0].size() != channels[1].size() ||
            channels[0].size() != channels[2].size())
            return {};
        levels = QImage(channels[0].size(), QImage::Format_RGB32);
        for (int y = 0; y < levels.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(levels.scanLine(y));
            for (int x = 0; x < levels.width(); ++x)
                line[x] = qRgb(channels[0].constScanLine(y)[x], channels[1].constScanLine(y)[x],
                               channels[2].constScanLine(y)[x]);
        }
    }
    if (levels.isNull() || !holdsPaper(levels.format() == QImage::Format_Grayscale8
                                           ? levels
                                           : levels.convertToFormat(QImage::Format_Grayscale8)))
        return {};
    return {levels, double(reduction) * copyFactor};
}

} // namespace pagula::imaging
