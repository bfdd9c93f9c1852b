#include "app/docwindow/PageViewGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace pagula::docwindow
{

namespace
{

// Floor division that stays right for negative positions (above the first page).
qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int clampToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, 0, INT_MAX));
}

} // namespace

PageViewGeometry::PageViewGeometry(QSizeF pagePoints, int pageCount, double scale,
                                   int viewportWidth, double devicePixelRatio)
    : scale_(scale), pageCount_(std::max(0, pageCount))
{
    const int width = std::max(1, static_cast<int>(std::lround(pagePoints.width() * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(pagePoints.height() * scale)));
    pageSize_ = QSize(width, height);
    // Strips of equal height, as few as the byte limit allows: every strip boundary decodes
    // the pictures across it twice.
    const double dpr = std::max(1.0, devicePixelRatio);
    const double pageBytes = width * dpr * height * dpr * 4.0;
    const qint64 bands = std::max<qint64>(1, std::ceil(pageBytes / MaxBandBytes));
    bandHeight_ = static_cast<int>((height + bands - 1) / bands);
    const int contentWidth = std::max(width + 2 * Gap, viewportWidth);
    pageLeft_ = (contentWidth - width) / 2;
    // Saturates instead of overflowing for absurd page counts; the scroll bar takes an int.
    const qint64 contentHeight = Gap + qint64(pageCount_) * pitch();
    contentSize_ = QSize(contentWidth, clampToInt(contentHeight));
}

QRect PageViewGeometry::pageRect(int page) const
{
    // Kept inside the int range even where the content height saturated, so that no rectangle
    // arithmetic overflows.
    const qint64 top =
        std::min<qint64>(Gap + qint64(page) * pitch(), qint64(INT_MAX) - pageSize_.height());
    return QRect(pageLeft_, clampToInt(top), pageSize_.width(), pageSize_.height());
}

PageSpan PageViewGeometry::pagesIn(const QRect& area) const
{
    if (area.isEmpty() || pageCount_ == 0 || area.right() < pageLeft_ ||
        area.left() >= pageLeft_ + pageSize_.width())
        return {};
    const qint64 h = pageSize_.height();
    // Page i covers rows [Gap + i * pitch, Gap + i * pitch + h).
    const qint64 first = -floorDiv(-(qint64(area.top()) - Gap - h + 1), pitch()); // ceil
    const qint64 last = floorDiv(qint64(area.bottom()) - Gap, pitch());
    PageSpan span;
    span.first = static_cast<int>(std::max<qint64>(first, 0));
    span.last = static_cast<int>(std::min<qint64>(last, pageCount_ - 1));
    if (span.isEmpty())
        return {};
    return span;
}

int PageViewGeometry::pageAt(int y) const
{
    if (pageCount_ == 0)
        return 0;
    return static_cast<int>(std::clamp<qint64>(floorDiv(y, pitch()), 0, pageCount_ - 1));
}

int PageViewGeometry::scrollPositionFor(int page) const
{
    return clampToInt(qint64(std::clamp(page, 0, std::max(0, pageCount_ - 1))) * pitch());
}

int PageViewGeometry::bandCount() const
{
    return (pageSize_.height() + bandHeight_ - 1) / bandHeight_;
}

int PageViewGeometry::bandTop(int band) const
{
    return std::min(band * bandHeight_, pageSize_.height());
}

int PageViewGeometry::bandBottom(int band) const
{
    return std::min((band + 1) * bandHeight_, pageSize_.height());
}

QRect PageViewGeometry::bandRect(BandRef band) const
{
    const QRect page = pageRect(band.page);
    const int top = bandTop(band.band);
    return QRect(page.left(), page.top() + top, page.width(), bandBottom(band.band) - top);
}

QList<BandRef> PageViewGeometry::bandsIn(const QRect& area) const
{
    QList<BandRef> bands;
    const PageSpan span = pagesIn(area);
    for (int page = span.first; page <= span.last; ++page) {
        const QRect rect = pageRect(page);
        const int top = std::max(area.top(), rect.top()) - rect.top();
        const int bottom = std::min(area.bottom(), rect.bottom()) - rect.top();
        for (int band = top / bandHeight_; band <= bottom / bandHeight_; ++band)
            bands.append({page, band});
    }
    return bands;
}

QPointF PageViewGeometry::contentPointFor(int page, QPointF pagePoint) const
{
    const QRect rect = pageRect(page);
    return QPointF(rect.left() + pagePoint.x() * scale_, rect.top() + pagePoint.y() * scale_);
}

} // namespace pagula::docwindow
