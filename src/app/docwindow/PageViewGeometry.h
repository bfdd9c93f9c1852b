#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>

namespace pagula::docwindow
{

// Pages from `first` to `last` (from 0); empty when last < first.
struct PageSpan {
    int first = 0;
    int last = -1;

    bool isEmpty() const { return last < first; }
    bool contains(int page) const { return page >= first && page <= last; }
};

// One horizontal strip of a page: the unit that is rendered and cached. A page is one strip
// while it is small; a zoomed-in page is cut into strips, so it costs only those on screen.
struct BandRef {
    int page = 0;
    int band = 0;

    bool operator==(const BandRef& other) const { return page == other.page && band == other.band; }
};

// Where the pages of a document lie in the scrolled content of the document view: pages of
// one size, one below the other, centred, with a gap around and between them. Positions are
// logical pixels of the content (0,0 at its top left). Every query is O(1) in the page count,
// so a document of thousands of pages scrolls as easily as one of three.
class PageViewGeometry
{
public:
    static constexpr int Gap = 12; // around and between pages
    // A strip holds at most this many bytes of device pixels (a page up to about 150 %).
    static constexpr qint64 MaxBandBytes = 8 * 1024 * 1024;

    PageViewGeometry() = default;
    // pagePoints: the page size in points; scale: logical pixels per point;
    // devicePixelRatio: device pixels per logical pixel, for the size of a strip.
    PageViewGeometry(QSizeF pagePoints, int pageCount, double scale, int viewportWidth,
                     double devicePixelRatio = 1.0);

    double scale() const { return scale_; }
    int pageCount() const { return pageCount_; }
    QSize pageSize() const { return pageSize_; }
    QSize contentSize() const { return contentSize_; }
    // Distance from one page's top to the next one's.
    int pitch() const { return pageSize_.height() + Gap; }

    QRect pageRect(int page) const;
    // Pages that intersect an area of the content.
    PageSpan pagesIn(const QRect& area) const;
    // The page at a vertical position: each page owns the gap above it; clamped to the pages.
    int pageAt(int y) const;
    // The scroll position that shows a page at the top, one gap below the viewport's edge.
    int scrollPositionFor(int page) const;

    int bandCount() const;
    int bandHeight() const { return bandHeight_; }
    // Rows [top, bottom) of a page that a band covers, in page pixels.
    int bandTop(int band) const;
    int bandBottom(int band) const;
    QRect bandRect(BandRef band) const;
    // The bands that intersect an area of the content, page by page, top to bottom.
    QList<BandRef> bandsIn(const QRect& area) const;

    // A point on a page given in points, in content pixels.
    QPointF contentPointFor(int page, QPointF pagePoint) const;

private:
    double scale_ = 1.0;
    int pageCount_ = 0;
    QSize pageSize_;
    QSize contentSize_;
    int pageLeft_ = Gap;
    int bandHeight_ = 1;
};

} // namespace pagula::docwindow
