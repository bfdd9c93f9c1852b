#include "imaging/PrintThreshold.h"

#include "imaging/LeptonicaImage.h"

#include <leptonica/allheaders.h>

#include <algorithm>

namespace pagula::imaging
{

namespace
{

// Sauvola's k: how far below the local mean a pixel must lie, scaled by the local spread.
constexpr float sauvolaFactor = 0.34f;
// Leptonica's sums overflow beyond about 16 M pixels per tile.
constexpr qint64 tilePixels = 4LL * 1024 * 1024;

} // namespace

QImage thresholdForPrint(const QImage& picture, QSize printed)
{
    if (picture.isNull() || printed.isEmpty())
        return picture;
    QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (grey.size() != printed) {
        // Qt resamples 32-bit pictures best; the grey levels come back unchanged.
        grey = grey.convertToFormat(QImage::Format_RGB32)
                   .scaled(printed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .convertToFormat(QImage::Format_Grayscale8);
    }
    const PixPtr pix = toPix(grey);
    if (!pix)
        return picture;
    // The window spans about a hundredth of the cell: a few letters at any grid.
    const int half = std::max(7, std::max(printed.width(), printed.height()) / 200);
    const qint64 pixels = qint64(printed.width()) * printed.height();
    const int tiles = int(std::clamp<qint64>(pixels / tilePixels + 1, 1, 8));
    const int across = std::min(tiles, std::max(1, printed.width() / (4 * half + 2)));
    const int down = std::min(tiles, std::max(1, printed.height() / (4 * half + 2)));
    Pix* bits = nullptr;
    if (pixSauvolaBinarizeTiled(pix.get(), half, sauvolaFactor, across, down, nullptr, &bits) != 0)
        return picture;
    const PixPtr owned = adopt(bits);
    QImage out = fromPix(owned.get());
    if (out.isNull())
        return picture;
    out.setDotsPerMeterX(picture.dotsPerMeterX());
    out.setDotsPerMeterY(picture.dotsPerMeterY());
    return out;
}

} // namespace pagula::imaging
