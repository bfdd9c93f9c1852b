#pragma once

#include "document/InlinePicture.h"

#include <QList>
#include <QRect>
#include <QRectF>

namespace pagula::document
{

// A border edge as a line along one side of a picture's own box, in points. The line is
// centred on the box edge, so the right edge of one picture and the left edge of its
// neighbour lie on the same line.
struct EdgeLine {
    BorderEdge edge = BorderEdge::Top;
    double position = 0.0; // y of a top or bottom edge, x of a left or right edge
    double from = 0.0;     // the box's extent along the edge
    double to = 0.0;
    double width = 0.0; // line width

    bool isHorizontal() const { return edge == BorderEdge::Top || edge == BorderEdge::Bottom; }
};

// The visible border edges of a picture shown in a box, in the order top, left, bottom, right.
QList<EdgeLine> edgeLines(const QRectF& box, const InlinePicture& picture);

// The area a line covers, for vector output: its width across, and half its width beyond
// each end so that the corners of a frame close.
QRectF edgeArea(const EdgeLine& line);

// A box on a pixel grid at a scale (pixels per point): its edges rounded to pixels.
QRect snappedBox(const QRectF& box, double scale);

// A line on a pixel grid: whole pixels wide (at least one), starting on the snapped box edge
// (for one pixel exactly on it) and running from the snapped start to the snapped end
// including the corners, so neighbouring pictures share the same pixels.
QRect snappedEdgeArea(const EdgeLine& line, double scale);

} // namespace pagula::document
