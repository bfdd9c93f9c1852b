#include "preview/PreviewCanvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace pagula::preview {

namespace {
constexpr int kTileSize = 256;
constexpr int kTileCacheKiB = 64 * 1024;
const QColor kBackground(182, 196, 231);
} // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    tiles_.setMaxCost(kTileCacheKiB);
}

void PreviewCanvas::setPlan(RenderPlan plan, bool stretch)
{
    plan_ = std::move(plan);
    stretch_ = stretch;
    if (stretch_)
        plan_.shownSize = size();
    tiles_.clear();
    update();
}

void PreviewCanvas::addBands(const CropBandSet& bands)
{
    plan_.bands.push_back(bands);
    tiles_.clear();
    update();
}

QImage PreviewCanvas::shownBitmap() const
{
    return renderAll(plan_);
}

void PreviewCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (stretch_ && plan_.shownSize != size()) {
        plan_.shownSize = size();
        tiles_.clear();
    }
}

const QImage* PreviewCanvas::tile(int column, int row)
{
    const quint64 key = (quint64(quint32(row)) << 32) | quint32(column);
    if (const QImage* cached = tiles_.object(key))
        return cached;
    auto* image = new QImage(
        renderRegion(plan_, QRect(column * kTileSize, row * kTileSize, kTileSize, kTileSize)));
    const int cost = std::max<qsizetype>(1, image->sizeInBytes() / 1024);
    // The cache deletes the tile at once when it cannot hold it; paint then misses it this time.
    if (!tiles_.insert(key, image, cost))
        return nullptr;
    return tiles_.object(key);
}

void PreviewCanvas::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    const QRect shown = QRect(QPoint(0, 0), plan_.shownSize) & dirty;
    if (!plan_.isEmpty() && !shown.isEmpty()) {
        for (int row = shown.top() / kTileSize; row <= shown.bottom() / kTileSize; ++row) {
            for (int column = shown.left() / kTileSize; column <= shown.right() / kTileSize;
                 ++column) {
                if (const QImage* image = tile(column, row))
                    p.drawImage(column * kTileSize, row * kTileSize, *image);
            }
        }
    }
    const QRegion rest = QRegion(dirty) - QRegion(plan_.isEmpty() ? QRect() : shown);
    for (const QRect& r : rest)
        p.fillRect(r, kBackground);
}

} // namespace pagula::preview
