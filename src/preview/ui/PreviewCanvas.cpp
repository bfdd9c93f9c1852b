#include "preview/ui/PreviewCanvas.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace pagula::preview
{

namespace
{
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

quint64 PreviewCanvas::tileKey(int column, int row)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

void PreviewCanvas::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    const QRect shown = QRect(QPoint(0, 0), plan_.shownSize) & dirty;
    if (!plan_.isEmpty() && !shown.isEmpty()) {
        // Kept tiles are drawn at once; the missing ones are rendered together, so they can
        // share the cores, then kept.
        std::vector<QRect> missing;
        for (int row = shown.top() / kTileSize; row <= shown.bottom() / kTileSize; ++row) {
            for (int column = shown.left() / kTileSize; column <= shown.right() / kTileSize;
                 ++column) {
                const QPoint at(column * kTileSize, row * kTileSize);
                if (const QImage* kept = tiles_.object(tileKey(column, row)))
                    p.drawImage(at, *kept);
                else
                    missing.emplace_back(at, QSize(kTileSize, kTileSize));
            }
        }
        std::vector<QImage> rendered = renderRegions(plan_, missing);
        for (std::size_t i = 0; i < missing.size(); ++i) {
            const QPoint at = missing[i].topLeft();
            p.drawImage(at, rendered[i]);
            auto* kept = new QImage(std::move(rendered[i]));
            const int cost = int(std::max<qsizetype>(1, kept->sizeInBytes() / 1024));
            tiles_.insert(tileKey(at.x() / kTileSize, at.y() / kTileSize), kept, cost);
        }
    }
    const QRegion rest = QRegion(dirty) - QRegion(plan_.isEmpty() ? QRect() : shown);
    for (const QRect& r : rest)
        p.fillRect(r, kBackground);
}

} // namespace pagula::preview
