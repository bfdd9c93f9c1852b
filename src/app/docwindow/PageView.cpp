#include "app/docwindow/PageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace pagula::docwindow
{

namespace
{

const QColor BackgroundColor(128, 128, 128);
const QColor ShadowColor(64, 64, 64);
const QColor PendingTextColor(160, 160, 160);
constexpr int ShadowOffset = 4;
// A screenful of strips at the highest zoom, or some twenty pages at 100 %. A screen that
// needs more still gets it: the cache never evicts what the current frame shows.
constexpr qint64 TileBudgetBytes = 96ll * 1024 * 1024;
constexpr int WheelStep = 120; // one notch of a mouse wheel
constexpr int LineStep = 40;

} // namespace

PageView::PageView(std::shared_ptr<const document::Document> document,
                   document::PictureSource::Decoder decoder, QWidget* parent)
    : QAbstractScrollArea(parent), document_(std::move(document)),
      layout_(
          std::make_shared<const document::DocumentLayout>(document::layoutDocument(*document_))),
      cache_(TileBudgetBytes)
{
    setObjectName(QStringLiteral("pageView"));
    screenDpi_ = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    // Always there, so that fitting the page width does not make it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    worker_ = std::make_unique<RenderWorker>(document_, layout_, std::move(decoder));
    connect(worker_.get(), &RenderWorker::bandRendered, this, &PageView::takeBand);
    relayout(QPoint());
}

PageView::~PageView() = default;

double PageView::zoomPercent() const
{
    return percentForScale(geometry_.scale(), screenDpi_);
}

// What is in the middle of the screen stays there.
void PageView::setZoom(const Zoom& zoom)
{
    applyZoom(zoom, viewport()->rect().center());
}

void PageView::zoomIn()
{
    applyZoom({ZoomMode::Percent, zoomedIn(zoomPercent())}, viewport()->rect().center());
}

void PageView::zoomOut()
{
    applyZoom({ZoomMode::Percent, zoomedOut(zoomPercent())}, viewport()->rect().center());
}

void PageView::applyZoom(const Zoom& zoom, QPoint anchor)
{
    const bool changed = zoom != zoom_;
    zoom_ = zoom;
    relayout(anchor);
    if (changed)
        emit zoomChanged(zoom_);
}

void PageView::relayout(QPoint anchor)
{
    // The anchor keeps its place in the document: measured in pages down and in shares of the
    // width across, which survive a change of scale.
    const PageViewGeometry old = geometry_;
    double anchorPages = 0.0;
    double anchorWidth = 0.5;
    if (old.pageCount() > 0) {
        anchorPages = (verticalScrollBar()->value() + anchor.y()) / double(old.pitch());
        anchorWidth =
            (horizontalScrollBar()->value() + anchor.x()) / double(old.contentSize().width());
    }

    const double scale =
        zoomScale(zoom_, layout_->pageSize, viewport()->size(), screenDpi_, PageViewGeometry::Gap);
    if (scale != old.scale()) {
        // Strips of another scale are of no use any more.
        cache_.clear();
        requested_.clear();
    }
    geometry_ = PageViewGeometry(layout_->pageSize, static_cast<int>(layout_->pages.size()), scale,
                                 viewport()->width(), viewport()->devicePixelRatioF());

    const int keptPage = current_;
    navigating_ = true;
    updateScrollBars();
    verticalScrollBar()->setValue(static_cast<int>(std::lround(anchorPages * geometry_.pitch())) -
                                  anchor.y());
    horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(anchorWidth * geometry_.contentSize().width())) - anchor.x());
    navigating_ = false;
    // The page the user was at stays the current one while it is still on screen.
    if (geometry_.pagesIn(visibleContentRect()).contains(keptPage))
        setCurrentPage(keptPage);
    else
        setCurrentPage(geometry_.pageAt(verticalScrollBar()->value() + viewport()->height() / 2));
    viewport()->update();
}

void PageView::updateScrollBars()
{
    const QSize content = geometry_.contentSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(LineStep);
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(LineStep);
}

void PageView::goToPage(int page)
{
    page = std::clamp(page, 0, std::max(0, pageCount() - 1));
    navigating_ = true;
    verticalScrollBar()->setValue(geometry_.scrollPositionFor(page));
    navigating_ = false;
    setCurrentPage(page);
}

void PageView::setCurrentPage(int page)
{
    if (page == current_)
        return;
    current_ = page;
    emit currentPageChanged(page);
}

QRect PageView::visibleContentRect() const
{
    return QRect(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()),
                 viewport()->size());
}

QPointF PageView::viewportPointFor(int page, QPointF pagePoint) const
{
    return geometry_.contentPointFor(page, pagePoint) - QPointF(visibleContentRect().topLeft());
}

double PageView::deviceScale() const
{
    return geometry_.scale() * viewport()->devicePixelRatioF();
}

int PageView::missingVisibleBands() const
{
    int missing = 0;
    for (const BandRef& band : geometry_.bandsIn(visibleContentRect())) {
        if (!cache_.contains(jobFor(band).key))
            ++missing;
    }
    return missing;
}

int PageView::renderedBandCount() const
{
    return worker_->renderedCount();
}

QList<document::PictureFailure> PageView::failures() const
{
    QList<document::PictureFailure> list;
    for (const auto& entry : failures_)
        list.append(entry.second);
    return list;
}

BandJob PageView::jobFor(BandRef band) const
{
    BandJob job;
    job.key = {band.page, band.band, deviceScale()};
    job.request.scale = geometry_.scale();
    job.request.devicePixelRatio = viewport()->devicePixelRatioF();
    job.request.pageWidth = geometry_.pageSize().width();
    job.request.top = geometry_.bandTop(band.band);
    job.request.bottom = geometry_.bandBottom(band.band);
    return job;
}

void PageView::requestBands(const QList<BandRef>& missing)
{
    std::vector<BandJob> jobs;
    std::vector<TileKey> keys;
    for (const BandRef& band : missing) {
        jobs.push_back(jobFor(band));
        keys.push_back(jobs.back().key);
    }
    // Every paint asks again; only a change is worth the worker's attention.
    if (keys == requested_)
        return;
    requested_ = keys;
    worker_->request(jobs);
}

void PageView::takeBand(const RenderedBand& band)
{
    if (band.key.deviceScale != deviceScale())
        return; // rendered for a zoom the user has left
    cache_.insert(band.key, band.image);
    bool newFailure = false;
    for (const document::PictureFailure& failure : band.failures)
        newFailure |= failures_.emplace(failure.itemIndex, failure).second;
    if (newFailure)
        emit failuresChanged(failedPictureCount());
    const QRect area = geometry_.bandRect({band.key.page, band.key.band})
                           .translated(-visibleContentRect().topLeft());
    viewport()->update(area);
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), BackgroundColor);
    const QRect visible = visibleContentRect();
    painter.translate(-visible.topLeft());

    // A page just above or left of the screen may still cast its shadow onto it.
    const PageSpan pages = geometry_.pagesIn(visible.adjusted(-ShadowOffset, -ShadowOffset, 0, 0));
    for (int page = pages.first; page <= pages.last; ++page)
        paintPage(painter, page);

    cache_.newFrame();
    QList<BandRef> missing;
    for (const BandRef& band : geometry_.bandsIn(visible)) {
        const QRect rect = geometry_.bandRect(band);
        if (const QImage* image = cache_.find(jobFor(band).key)) {
            if (!image->isNull())
                painter.drawImage(QPointF(rect.topLeft()), *image);
        } else {
            missing.append(band);
            paintPending(painter, rect.intersected(visible));
        }
    }
    requestBands(missing);
}

void PageView::paintPage(QPainter& painter, int page) const
{
    const QRect rect = geometry_.pageRect(page);
    painter.fillRect(rect.translated(ShadowOffset, ShadowOffset), ShadowColor);
    painter.fillRect(rect, Qt::white);
}

void PageView::paintPending(QPainter& painter, const QRect& area) const
{
    QFont font = painter.font();
    font.setPixelSize(std::clamp(area.height() / 4, 8, 32));
    painter.setFont(font);
    painter.setPen(PendingTextColor);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("…"));
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout(QPoint(viewport()->width() / 2, 0));
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    if (!navigating_)
        setCurrentPage(geometry_.pageAt(verticalScrollBar()->value() + viewport()->height() / 2));
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Touchpads send small steps; a zoom step needs a whole notch's worth.
    wheelRemainder_ += event->angleDelta().y();
    const QPoint anchor = event->position().toPoint();
    while (wheelRemainder_ >= WheelStep) {
        wheelRemainder_ -= WheelStep;
        applyZoom({ZoomMode::Percent, zoomedIn(zoomPercent())}, anchor);
    }
    while (wheelRemainder_ <= -WheelStep) {
        wheelRemainder_ += WheelStep;
        applyZoom({ZoomMode::Percent, zoomedOut(zoomPercent())}, anchor);
    }
    event->accept();
}

} // namespace pagula::docwindow
