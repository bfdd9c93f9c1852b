#pragma once

#include "document/EdgeGeometry.h"

#include <QImage>
#include <QRectF>

namespace pagula::document
{

// What a page is drawn on: a QPainter device or a PDF page. Coordinates are page points.
class PageCanvas
{
public:
    virtual ~PageCanvas() = default;
    // A prepared picture stretched to fill its box.
    virtual void drawPicture(const QRectF& box, const QImage& picture) = 0;
    // The mark for a picture that could not be drawn: a grey box with a cross.
    virtual void drawPlaceholder(const QRectF& box) = 0;
    virtual void drawEdge(const EdgeLine& line) = 0;
};

// The placeholder's look, shared by every canvas.
constexpr int PlaceholderFillGrey = 192;
constexpr int PlaceholderCrossGrey = 64;
constexpr double PlaceholderCrossWidthPoints = 1.0;

} // namespace pagula::document
