#include "document/EdgeGeometry.h"

#include <algorithm>
#include <cmath>

namespace pagula::document
{

QList<EdgeLine> edgeLines(const QRectF& box, const InlinePicture& picture)
{
    QList<EdgeLine> lines;
    for (const BorderEdge edge :
         {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom, BorderEdge::Right}) {
        const BorderLine border = picture.border(edge);
        if (!border.isVisible())
            continue;
        EdgeLine line;
        line.edge = edge;
        line.width = border.widthPoints();
        switch (edge) {
        case BorderEdge::Top:
            line.position = box.top();
            break;
        case BorderEdge::Bottom:
            line.position = box.bottom();
            break;
        case BorderEdge::Left:
            line.position = box.left();
            break;
        case BorderEdge::Right:
            line.position = box.right();
            break;
        }
        line.from = line.isHorizontal() ? box.left() : box.top();
        line.to = line.isHorizontal() ? box.right() : box.bottom();
        lines.append(line);
    }
    return lines;
}

QRectF edgeArea(const EdgeLine& line)
{
    const double half = line.width / 2.0;
    const double across = line.position - half;
    const double along = line.from - half;
    const double length = line.to - line.from + line.width;
    return line.isHorizontal() ? QRectF(along, across, length, line.width)
                               : QRectF(across, along, line.width, length);
}

namespace
{
int snap(double points, double scale)
{
    return static_cast<int>(std::lround(points * scale));
}
} // namespace

QRect snappedBox(const QRectF& box, double scale)
{
    const int left = snap(box.left(), scale);
    const int top = snap(box.top(), scale);
    const int right = std::max(snap(box.right(), scale), left + 1);
    const int bottom = std::max(snap(box.bottom(), scale), top + 1);
    return QRect(left, top, right - left, bottom - top);
}

QRect snappedEdgeArea(const EdgeLine& line, double scale)
{
    const int thickness = std::max(1, static_cast<int>(std::lround(line.width * scale)));
    const int back = thickness / 2; // pixels before the edge; the rest on or after it
    const int across = snap(line.position, scale) - back;
    const int from = snap(line.from, scale) - back;
    const int to = snap(line.to, scale) - back + thickness; // exclusive
    const int length = std::max(to - from, thickness);
    return line.isHorizontal() ? QRect(from, across, length, thickness)
                               : QRect(across, from, thickness, length);
}

} // namespace pagula::document
