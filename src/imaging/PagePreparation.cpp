#include "imaging/PagePreparation.h"

#include "imaging/EvenBackground.h"
#include "imaging/Limits.h"
#include "imaging/PageLayout.h"
#include "imaging/PictureWarp.h"

#include <QPainter>

#include <algorithm>
#include <new>

namespace pagula::imaging
{

namespace
{

// Around a straightened sheet that is not cut out, this share of its size is kept.
constexpr double straightenedMargin = 0.05;
// A straightened picture never holds more than this many times the source's pixels.
constexpr double maxGrowth = 2.0;

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

PreparedPage reshape(const QImage& picture, const PreparationOptions& options)
{
    const QRectF whole(QPointF(0, 0), QSizeF(picture.size()));
    PreparedPage out{picture, {corners(whole), {}, 0.0}};
    if (!options.findPage && !options.straighten)
        return out;

    const PageLayout layout = findPageLayout(picture, {options.straighten, options.findPage});
    out.geometry.paper = layout.paper;
    out.geometry.angle = layout.angle;
    const bool cut = options.findPage && (!layout.content.isEmpty() || !layout.paper.isEmpty());
    const QRectF keptInPage = !layout.content.isEmpty() ? layout.content : layout.page;

    if (options.straighten && layout.levelled) {
        QRectF region = layout.page;
        if (cut)
            region = keptInPage;
        else if (!layout.paper.isEmpty())
            region = layout.page
                         .adjusted(-straightenedMargin * layout.page.width(),
                                   -straightenedMargin * layout.page.height(),
                                   straightenedMargin * layout.page.width(),
                                   straightenedMargin * layout.page.height())
                         .intersected(layout.toPage.mapRect(whole));
        const QRect pixels = region.toAlignedRect();
        if (!fitsLimits(pixels, picture.size()))
            return out;
        QImage warped = warpPicture(picture, layout.toPage, pixels);
        if (warped.isNull())
            return out;
        out.image = warped;
        out.geometry.kept = layout.toPage.inverted().map(corners(QRectF(pixels)));
        return out;
    }
    if (cut) {
        // Without straightening the page is cut out square with the picture.
        const QRectF bounds = layout.toPage.inverted().map(corners(keptInPage)).boundingRect();
        const QRect pixels = bounds.toAlignedRect().intersected(picture.rect());
        if (pixels.isEmpty())
            return out;
        out.image = picture.copy(pixels);
        out.geometry.kept = corners(QRectF(pixels));
    }
    return out;
}

} // namespace

PreparedPage preparePage(const QImage& picture, const PreparationOptions& options)
{
    const QRectF whole(QPointF(0, 0), QSizeF(picture.size()));
    if (picture.isNull() || !options.any())
        return {picture, {corners(whole), {}, 0.0}};
    try {
        PreparedPage page = reshape(workingCopy(picture), options);
        if (options.evenBackground)
            page.image = evenBackground(page.image);
        page.image.setDotsPerMeterX(picture.dotsPerMeterX());
        page.image.setDotsPerMeterY(picture.dotsPerMeterY());
        return page;
    } catch (const std::bad_alloc&) {
        return {picture, {corners(whole), {}, 0.0}};
    }
}

} // namespace pagula::imaging
