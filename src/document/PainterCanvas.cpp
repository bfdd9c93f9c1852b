#include "document/PainterCanvas.h"

#include <QPen>

#include <algorithm>

namespace pagula::document
{

PainterCanvas::PainterCanvas(QPainter& painter, double scale, bool snapToPixels)
    : painter_(painter), scale_(scale), snap_(snapToPixels)
{
}

QRectF PainterCanvas::deviceBox(const QRectF& box) const
{
    if (snap_)
        return QRectF(snappedBox(box, scale_));
    return {box.x() * scale_, box.y() * scale_, box.width() * scale_, box.height() * scale_};
}

void PainterCanvas::drawPicture(const QRectF& box, const QImage& picture)
{
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(deviceBox(box), picture);
    painter_.restore();
}

void PainterCanvas::drawPlaceholder(const QRectF& box)
{
    const QRectF area = deviceBox(box);
    painter_.save();
    painter_.fillRect(area, QColor(PlaceholderFillGrey, PlaceholderFillGrey, PlaceholderFillGrey));
    QPen pen(QColor(PlaceholderCrossGrey, PlaceholderCrossGrey, PlaceholderCrossGrey));
    pen.setWidthF(std::max(1.0, PlaceholderCrossWidthPoints * scale_));
    painter_.setPen(pen);
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.drawLine(area.topLeft(), area.bottomRight());
    painter_.drawLine(area.topRight(), area.bottomLeft());
    painter_.restore();
}

void PainterCanvas::drawEdge(const EdgeLine& line)
{
    if (snap_) {
        painter_.fillRect(snappedEdgeArea(line, scale_), Qt::black);
        return;
    }
    const QRectF area = edgeArea(line);
    painter_.fillRect(
        QRectF(area.x() * scale_, area.y() * scale_, area.width() * scale_, area.height() * scale_),
        Qt::black);
}

} // namespace pagula::document
