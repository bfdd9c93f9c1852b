#pragma once

#include "document/PageCanvas.h"

#include <QPainter>

namespace pagula::document
{

// Draws a page through a QPainter whose coordinates are device units at `scale` units per
// point (the painter's own transform, e.g. a widget's scroll offset, still applies). With
// snapToPixels, pictures and lines sit on whole pixels, so a quarter-point line is one crisp
// pixel and neighbours share it: right for raster images, not needed for printers.
class PainterCanvas : public PageCanvas
{
public:
    PainterCanvas(QPainter& painter, double scale, bool snapToPixels);

    void drawPicture(const QRectF& box, const QImage& picture) override;
    void drawPlaceholder(const QRectF& box) override;
    void drawEdge(const EdgeLine& line) override;

private:
    QRectF deviceBox(const QRectF& box) const;

    QPainter& painter_;
    double scale_;
    bool snap_;
};

} // namespace pagula::document
