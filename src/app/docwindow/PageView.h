#pragma once

#include "app/docwindow/PageViewGeometry.h"
#include "app/docwindow/RenderWorker.h"
#include "app/docwindow/TileCache.h"
#include "app/docwindow/ZoomSetting.h"

#include "document/Document.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PictureSource.h"

#include <QAbstractScrollArea>
#include <QList>

#include <map>
#include <memory>
#include <vector>

namespace pagula::docwindow
{

// The document's pages as they will print: white pages with a shadow on grey, one below the
// other, at a zoom. The document is laid out once; only the strips of pages on screen are
// rendered, on a worker thread, and kept in a bounded cache; a strip not rendered yet shows
// as white with "…". Geometry lives in PageViewGeometry; this class draws and scrolls.
class PageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // decoder: how picture files are decoded (imaging::decodeFile when empty).
    PageView(std::shared_ptr<const document::Document> document,
             document::PictureSource::Decoder decoder = {}, QWidget* parent = nullptr);
    ~PageView() override;

    int pageCount() const { return geometry_.pageCount(); }
    // The page the user is at, from 0.
    int currentPage() const { return current_; }
    void goToPage(int page);

    Zoom zoom() const { return zoom_; }
    // The zoom as a percentage of the real size, whatever the mode.
    double zoomPercent() const;
    void setZoom(const Zoom& zoom);
    void zoomIn();
    void zoomOut();

    double screenDpi() const { return screenDpi_; }
    const PageViewGeometry& pageGeometry() const { return geometry_; }
    // Where a point of a page (in points) is in the viewport now.
    QPointF viewportPointFor(int page, QPointF pagePoint) const;
    // Strips on screen whose rendering has not arrived yet.
    int missingVisibleBands() const;
    int renderedBandCount() const;
    const TileCache& tileCache() const { return cache_; }

    // Pictures that could not be drawn so far, each once.
    int failedPictureCount() const { return static_cast<int>(failures_.size()); }
    QList<document::PictureFailure> failures() const;

signals:
    void currentPageChanged(int page);
    void zoomChanged(const pagula::docwindow::Zoom& zoom);
    void failuresChanged(int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void applyZoom(const Zoom& zoom, QPoint anchor);
    void relayout(QPoint anchor);
    void updateScrollBars();
    void setCurrentPage(int page);
    QRect visibleContentRect() const;
    double deviceScale() const;
    BandJob jobFor(BandRef band) const;
    void requestBands(const QList<BandRef>& missing);
    void takeBand(const RenderedBand& band);
    void paintPage(QPainter& painter, int page) const;
    void paintPending(QPainter& painter, const QRect& area) const;

    std::shared_ptr<const document::Document> document_;
    std::shared_ptr<const document::DocumentLayout> layout_;
    double screenDpi_ = 96.0;
    Zoom zoom_;
    PageViewGeometry geometry_;
    TileCache cache_;
    std::vector<TileKey> requested_;
    std::map<int, document::PictureFailure> failures_; // by picture item
    int current_ = 0;
    bool navigating_ = false;
    int wheelRemainder_ = 0;
    std::unique_ptr<RenderWorker> worker_;
};

} // namespace pagula::docwindow
