#include "imaging/EvenBackground.h"

#include "imaging/LeptonicaImage.h"

#include <leptonica/allheaders.h>

#include <algorithm>

namespace pagula::imaging
{

namespace
{

constexpr int minSide = 32;
// The paper map is made on a picture reduced to about this many pixels across, where a
// closing of closingSize covers any letter.
constexpr int mapSide = 320;
constexpr int closingSize = 9;
// Below this the brightest tenth of the picture is not paper but darkness.
constexpr int minPaperLevel = 48;

bool hasPaper(const QImage& picture)
{
    const QImage grey = picture.format() == QImage::Format_Grayscale8
                            ? picture
                            : picture.convertToFormat(QImage::Format_Grayscale8);
    qint64 histogram[256] = {};
    const int step = std::max(1, grey.height() / 256);
    qint64 total = 0;
    for (int y = 0; y < grey.height(); y += step) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); x += step, ++total)
            ++histogram[line[x]];
    }
    qint64 brighter = 0;
    for (int v = 255; v >= 0; --v) {
        brighter += histogram[v];
        if (brighter * 10 >= total)
            return v >= minPaperLevel;
    }
    return false;
}

} // namespace

QImage evenBackground(const QImage& picture)
{
    if (picture.width() < minSide || picture.height() < minSide || !hasPaper(picture))
        return picture;
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    const PixPtr pix = toPix(grey ? picture : picture.convertToFormat(QImage::Format_RGB32));
    if (!pix)
        return picture;
    const int reduction = std::clamp(std::max(picture.width(), picture.height()) / mapSide, 2, 16);
    const PixPtr even =
        adopt(pixBackgroundNormMorph(pix.get(), nullptr, reduction, closingSize, 255));
    const QImage out = fromPix(even.get());
    if (out.isNull())
        return picture;
    QImage result = out;
    result.setDotsPerMeterX(picture.dotsPerMeterX());
    result.setDotsPerMeterY(picture.dotsPerMeterY());
    return result;
}

} // namespace pagula::imaging
