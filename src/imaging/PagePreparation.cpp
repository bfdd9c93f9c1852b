#include "imaging/PagePreparation.h"

#include "imaging/BlankBorder.h"
#include "imaging/FlatFigures.h"
#include "imaging/GreyHistogram.h"
#include "imaging/Limits.h"
#include "imaging/PageLayout.h"
#include "imaging/PaperBrightness.h"
#include "imaging/PictureWarp.h"
#include "imaging/ReducedCopy.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>

namespace pagula::imaging
{

namespace
{

// The copy looked at is reduced by a whole factor to about this many pixels across (never
// enlarged): enough to place a sheet's corners within a millimetre and to level its lines
// within a tenth of a degree, and small enough that looking costs a fraction of the decode.
constexpr int lookingSide = 600;
// Around a straightened sheet that is not cut out, this share of its size is kept.
constexpr double straightenedMargin = 0.05;
// A straightened picture never holds more than this many times the source's pixels.
constexpr double maxGrowth = 2.0;
// The print found on the copy is placed exactly on the picture itself, then kept this share of
// the cell's shorter side clear of the cell's edges (of the print's own side when the cell is
// not known): the letters clear of the frame and the cut, and no more paper than that taking
// room from them.
constexpr double printPad = 0.008;

QPolygonF corners(const QRectF& r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

bool isGrey(const QImage& image)
{
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16)
        return true;
    if (image.colorCount() == 0)
        return false;
    const QList<QRgb> table = image.colorTable();
    return std::all_of(table.begin(), table.end(),
                       [](QRgb c) { return qIsGray(c) && qAlpha(c) == 255; });
}

// Format_Grayscale8 or Format_RGB32, transparency laid on white.
QImage workingCopy(const QImage& picture)
{
    if (isGrey(picture))
        return picture.convertToFormat(QImage::Format_Grayscale8);
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage onWhite(picture.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter painter(&onWhite);
    painter.drawImage(0, 0, picture);
    painter.end();
    return onWhite;
}

bool fitsLimits(const QRect& region, const QSize& source)
{
    const qint64 pixels = qint64(region.width()) * region.height();
    return limits::fitsDecodeLimits(region.width(), region.height(), 32) &&
           pixels <= maxGrowth * qint64(source.width()) * source.height();
}

// What part of which plane becomes the prepared picture.
struct Plan {
    QTransform toPlane; // picture -> plane
    QRectF region;      // in the plane
};

Plan planFor(const PageLayout& layout, const PreparationOptions& options, QSize size)
{
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    const bool cut = options.findPage && (!layout.content.isEmpty() || !layout.paper.isEmpty());
    const QRectF kept = !layout.content.isEmpty() ? layout.content : layout.page;
    if (options.straighten && layout.levelled) {
        if (cut)
            return {layout.toPage, kept};
        if (layout.paper.isEmpty())
            return {layout.toPage, layout.page};
        const double mx = straightenedMargin * layout.page.width();
        const double my = straightenedMargin * layout.page.height();
        return {layout.toPage,
                layout.page.adjusted(-mx, -my, mx, my).intersected(layout.toPage.mapRect(whole))};
    }
    if (cut) {
        // Without straightening the page is cut out square with the picture.
        const QRectF bounds = layout.toPage.inverted().map(corners(kept)).boundingRect();
        return {QTransform(), bounds.intersected(whole)};
    }
    return {QTransform(), whole};
}

// The pixels that draw a region: as many as it is long, from the pixel its corner falls in.
QRect pixelsOf(const QRectF& region)
{
    const auto whole = [](double v) { return int(std::ceil(v - 1e-6)); };
    return QRect(int(std::floor(region.left())), int(std::floor(region.top())),
                 whole(region.width()), whole(region.height()));
}

// The region cut down to the print as the picture shows it: the copy looked at places the
// print's edges only to within a few of its pixels, so the page layout pads it by `reach`; the
// blank paper along each edge, no deeper than that, is cut away, and a narrow pad kept. Paper
// is blank both evened out and as it is (`paperLevel`): evening can take a large flat figure for
// paper in shadow, and a shadow is only paper once evened.
QRectF trimmedToPrint(const QImage& picture, const Plan& plan, const PaperMap& paper,
                      int paperLevel, double reach, QSize cell)
{
    const QRectF r = plan.region;
    const double depth = std::min({reach, r.width() / 4, r.height() / 4});
    if (paper.isNull() || depth < 2)
        return r;
    const Qt::Edge edges[4] = {Qt::LeftEdge, Qt::TopEdge, Qt::RightEdge, Qt::BottomEdge};
    const QRectF strips[4] = {QRectF(r.left(), r.top(), depth, r.height()),
                              QRectF(r.left(), r.top(), r.width(), depth),
                              QRectF(r.right() - depth, r.top(), depth, r.height()),
                              QRectF(r.left(), r.bottom() - depth, r.width(), depth)};
    double blank[4];
    for (int i = 0; i < 4; ++i) {
        const QRect pixels = pixelsOf(strips[i]);
        const QImage evened = warpPicture(picture, plan.toPlane, pixels, paper);
        const QImage unevened = warpPicture(picture, plan.toPlane, pixels);
        if (evened.isNull() || unevened.isNull())
            return r;
        blank[i] =
            std::min({depth, double(blankDepth(evened, edges[i], int(figureShare * 255))),
                      double(blankDepth(unevened, edges[i], int(figureShare * paperLevel)))});
    }
    const QRectF print = r.adjusted(blank[0], blank[1], -blank[2], -blank[3]);
    // The pad in the plane: its share of the cell as the print will be fitted into it.
    double pad = printPad * std::min(print.width(), print.height());
    if (!cell.isEmpty() && !print.isEmpty())
        pad = printPad * std::min(cell.width(), cell.height()) /
              std::min(cell.width() / print.width(), cell.height() / print.height());
    return print.adjusted(-pad, -pad, pad, pad).intersected(r);
}

// The plan drawn at no more pixels than `atLeast` needs (never enlarged).
Plan reducedTo(const Plan& plan, QSize atLeast)
{
    if (atLeast.isEmpty() || plan.region.isEmpty())
        return plan;
    const double scale = std::min(1.0, std::max(atLeast.width() / plan.region.width(),
                                                atLeast.height() / plan.region.height()));
    if (scale >= 1.0)
        return plan;
    const QTransform shrink = QTransform::fromScale(scale, scale);
    return {plan.toPlane * shrink, shrink.mapRect(plan.region)};
}

PreparedPage prepare(const QImage& picture, const PreparationOptions& options, QSize atLeast)
{
    const QRectF whole(QPointF(0, 0), QSizeF(picture.size()));
    PreparedPage out{picture, {corners(whole), {}, 0.0}};
    const int factor = std::max(1, std::max(picture.width(), picture.height()) / lookingSide);
    const QImage copy = reducedCopy(picture, factor, true);
    if (copy.isNull())
        return out;
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    // Figures are told apart from paper by colour too, where there is colour.
    const QImage colourCopy = grey || !(options.findPage || options.evenBackground)
                                  ? QImage()
                                  : reducedCopy(picture, factor, false);
    const int paperLevel = levelOfBrightest(greyHistogram(copy), paperShare);
    const PixPtr figures =
        options.findPage || options.evenBackground
            ? flatFigures(copy, colourCopy, paperLevel, paperClosingSize(copy.size()))
            : PixPtr();
    const PaperMap greyPaper = paperBrightness(copy, factor, figures.get());

    PageLayout layout;
    layout.page = whole;
    if (options.findPage || options.straighten) {
        layout = findPageLayout(copy, factor, greyPaper, picture.size(),
                                {options.straighten, options.findPage}, figures.get());
        out.geometry.paper = layout.paper;
        out.geometry.angle = layout.angle;
    }
    Plan full = planFor(layout, options, picture.size());
    if (options.findPage && !layout.content.isEmpty())
        full.region = trimmedToPrint(picture, full, greyPaper, paperLevel,
                                     layout.contentPad + 2 * factor, atLeast);
    const bool reshaped = full.toPlane != QTransform() || full.region != whole;
    // Only a reshaped page is drawn smaller: evening the paper alone keeps the picture's size.
    const Plan plan = reshaped ? reducedTo(full, atLeast) : full;
    const QRect pixels = pixelsOf(plan.region);
    PaperMap paper;
    if (options.evenBackground)
        paper = grey ? greyPaper : paperBrightness(colourCopy, factor, figures.get());
    if ((!reshaped && paper.isNull()) || pixels.isEmpty() || !fitsLimits(pixels, picture.size()))
        return out;
    const QImage prepared = warpPicture(picture, plan.toPlane, pixels, paper);
    if (prepared.isNull())
        return out;
    out.image = prepared;
    out.geometry.kept = plan.toPlane.inverted().map(corners(QRectF(pixels)));
    return out;
}

} // namespace

PreparedPage preparePage(const QImage& picture, const PreparationOptions& options, QSize atLeast)
{
    const QRectF whole(QPointF(0, 0), QSizeF(picture.size()));
    if (picture.isNull() || !options.any())
        return {picture, {corners(whole), {}, 0.0}};
    try {
        PreparedPage page = prepare(workingCopy(picture), options, atLeast);
        page.image.setDotsPerMeterX(picture.dotsPerMeterX());
        page.image.setDotsPerMeterY(picture.dotsPerMeterY());
        return page;
    } catch (const std::bad_alloc&) {
        return {picture, {corners(whole), {}, 0.0}};
    }
}

} // namespace pagula::imaging
