#include "imaging/FlatFigures.h"

#include "imaging/GreyHistogram.h"

#include <leptonica/allheaders.h>

#include <algorithm>

namespace pagula::imaging
{

namespace
{

// A figure is darker than the paper (see GreyHistogram.h) or further than this from grey: a
// pale yellow box is nearly as bright as paper, but paper is never that yellow.
constexpr int colouredSpread = 48;

// 255 less each pixel's spread between its strongest and weakest channel: coloured is dark.
QImage colourlessness(const QImage& rgb)
{
    QImage out(rgb.size(), QImage::Format_Grayscale8);
    if (out.isNull())
        return out;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
            line[x] = uchar(255 - (std::max({r, g, b}) - std::min({r, g, b})));
        }
    }
    return out;
}

} // namespace

PixPtr flatFigures(const QImage& grey, const QImage& colour, int paperLevel, int thickness)
{
    if (grey.format() != QImage::Format_Grayscale8 || thickness < 1 ||
        (!colour.isNull() &&
         (colour.format() != QImage::Format_RGB32 || colour.size() != grey.size())))
        return {};
    // Thick areas clear of the edges, below `level` in `levels`; with `bridged`, gaps
    // narrower than the thickness (between the lines of print on a coloured box) closed first.
    const auto thickInside = [thickness](const QImage& levels, int level, bool bridged) {
        const PixPtr pix = toPix(levels);
        PixPtr marks = pix ? adopt(pixThresholdToBinary(pix.get(), level)) : PixPtr();
        if (marks && bridged)
            marks = adopt(pixCloseSafeCompBrick(nullptr, marks.get(), thickness, thickness));
        const PixPtr thick =
            marks ? adopt(pixOpenCompBrick(nullptr, marks.get(), thickness, thickness)) : PixPtr();
        return thick ? adopt(pixRemoveBorderConnComps(thick.get(), 8)) : PixPtr();
    };
    PixPtr figures = thickInside(grey, int(figureShare * paperLevel), false);
    if (!figures)
        return {};
    // Apart: a coloured figure reaching into a shadow from the edge is still a figure.
    if (!colour.isNull()) {
        const PixPtr coloured = thickInside(colourlessness(colour), 256 - colouredSpread, true);
        if (!coloured)
            return {};
        pixOr(figures.get(), figures.get(), coloured.get());
    }
    l_int32 empty = 1;
    if (pixZero(figures.get(), &empty) != 0 || empty)
        return {};
    return figures;
}

} // namespace pagula::imaging
