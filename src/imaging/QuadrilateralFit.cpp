#include "imaging/QuadrilateralFit.h"

#include <QLineF>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace pagula::imaging
{

namespace
{

double cross(const QPointF& o, const QPointF& a, const QPointF& b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

double polygonArea(const std::vector<QPointF>& p)
{
    double twice = 0.0;
    for (size_t i = 0; i < p.size(); ++i) {
        const QPointF& a = p[i];
        const QPointF& b = p[(i + 1) % p.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2.0;
}

// Drops, one at a time, the vertex whose removal loses the least area, down to `count`.
std::vector<QPointF> reduceTo(std::vector<QPointF> hull, size_t count)
{
    while (hull.size() > count) {
        size_t best = 0;
        double bestLoss = INFINITY;
        for (size_t i = 0; i < hull.size(); ++i) {
            const QPointF& prev = hull[(i + hull.size() - 1) % hull.size()];
            const QPointF& next = hull[(i + 1) % hull.size()];
            const double loss = std::abs(cross(prev, hull[i], next));
            if (loss < bestLoss) {
                bestLoss = loss;
                best = i;
            }
        }
        hull.erase(hull.begin() + std::ptrdiff_t(best));
    }
    return hull;
}

// A straight line through `point` along the unit vector `direction`.
struct Line {
    QPointF point;
    QPointF direction;

    double distance(const QPointF& p) const
    {
        const QPointF d = p - point;
        return std::abs(d.x() * direction.y() - d.y() * direction.x());
    }
    double along(const QPointF& p) const
    {
        const QPointF d = p - point;
        return d.x() * direction.x() + d.y() * direction.y();
    }
};

Line lineThrough(const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    return {a, d / length};
}

// The orthogonal least-squares line through points.
std::optional<Line> fitLine(const std::vector<QPointF>& points)
{
    if (points.size() < 5)
        return std::nullopt;
    QPointF mean;
    for (const QPointF& p : points)
        mean += p;
    mean /= double(points.size());
    double sxx = 0, sxy = 0, syy = 0;
    for (const QPointF& p : points) {
        const QPointF d = p - mean;
        sxx += d.x() * d.x();
        sxy += d.x() * d.y();
        syy += d.y() * d.y();
    }
    const double angle = 0.5 * std::atan2(2.0 * sxy, sxx - syy);
    return Line{mean, QPointF(std::cos(angle), std::sin(angle))};
}

std::optional<QPointF> intersect(const Line& a, const Line& b)
{
    QPointF at;
    const QLineF la(a.point, a.point + a.direction);
    const QLineF lb(b.point, b.point + b.direction);
    if (la.intersects(lb, &at) == QLineF::NoIntersection)
        return std::nullopt;
    return at;
}

// Refits the side from a to b to the boundary points along its middle, tightening the band
// of accepted points as the line settles.
Line refitSide(const QPointF& a, const QPointF& b, const std::vector<QPointF>& boundary,
               double band)
{
    Line line = lineThrough(a, b);
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    for (double tolerance : {band, band / 2.0, 1.0}) {
        std::vector<QPointF> near;
        const Line current = line;
        for (const QPointF& p : boundary) {
            const double t = current.along(p) - current.along(a);
            if (t > 0.15 * length && t < 0.85 * length && current.distance(p) <= tolerance)
                near.push_back(p);
        }
        const std::optional<Line> fitted = fitLine(near);
        if (!fitted)
            break;
        line = *fitted;
    }
    return line;
}

// Clockwise as seen, starting at the corner nearest the top left.
QPolygonF ordered(std::array<QPointF, 4> corners)
{
    QPointF centre;
    for (const QPointF& c : corners)
        centre += c / 4.0;
    std::sort(corners.begin(), corners.end(), [&](const QPointF& a, const QPointF& b) {
        return std::atan2(a.y() - centre.y(), a.x() - centre.x()) <
               std::atan2(b.y() - centre.y(), b.x() - centre.x());
    });
    const auto first = std::min_element(corners.begin(), corners.end(), [](auto& a, auto& b) {
        return a.x() + a.y() < b.x() + b.y();
    });
    std::rotate(corners.begin(), first, corners.end());
    return QPolygonF({corners[0], corners[1], corners[2], corners[3]});
}

bool isConvex(const std::array<QPointF, 4>& q)
{
    int sign = 0;
    for (int i = 0; i < 4; ++i) {
        const double c = cross(q[i], q[(i + 1) % 4], q[(i + 2) % 4]);
        const int s = c > 0 ? 1 : (c < 0 ? -1 : 0);
        if (s == 0 || (sign != 0 && s != sign))
            return false;
        sign = s;
    }
    return true;
}

// The smallest quadrilateral whose sides lie along four edges of a convex polygon: a sheet
// with a corner lost to a shadow is a pentagon, and the quadrilateral that extends the two
// sides beside the cut is the smallest one holding it.
std::optional<std::array<QPointF, 4>> smallestEnclosing(const std::vector<QPointF>& polygon)
{
    const size_t n = polygon.size();
    std::vector<Line> edges;
    for (size_t i = 0; i < n; ++i)
        edges.push_back(lineThrough(polygon[i], polygon[(i + 1) % n]));
    const auto turn = [](const Line& a, const Line& b) {
        return a.direction.x() * b.direction.y() - a.direction.y() * b.direction.x();
    };
    std::optional<std::array<QPointF, 4>> best;
    double bestArea = INFINITY;
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n; ++b)
            for (size_t c = b + 1; c < n; ++c)
                for (size_t d = c + 1; d < n; ++d) {
                    const Line* chosen[4] = {&edges[a], &edges[b], &edges[c], &edges[d]};
                    std::array<QPointF, 4> q;
                    bool closed = true;
                    for (size_t k = 0; k < 4 && closed; ++k) {
                        const Line& from = *chosen[(k + 3) % 4];
                        const Line& to = *chosen[k];
                        // Each corner must turn the same way as the polygon, by less than a
                        // half turn, or the sides do not close around it.
                        const std::optional<QPointF> at = intersect(from, to);
                        closed = at && turn(from, to) > 1e-3;
                        if (closed)
                            q[k] = *at;
                    }
                    if (!closed)
                        continue;
                    const double area = polygonArea({q.begin(), q.end()});
                    if (area < bestArea) {
                        bestArea = area;
                        best = q;
                    }
                }
    return best;
}

} // namespace

std::vector<QPointF> convexHull(std::vector<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return points;
    std::vector<QPointF> hull(2 * points.size());
    size_t k = 0;
    // With y down, keeping right turns (cross > 0) walks the hull clockwise as seen.
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

QPolygonF fitQuadrilateral(const std::vector<QPointF>& boundary)
{
    const std::vector<QPointF> hull = convexHull(boundary);
    if (hull.size() < 4)
        return {};
    const double hullArea = polygonArea(hull);
    const std::optional<std::array<QPointF, 4>> rough = smallestEnclosing(reduceTo(hull, 10));
    if (hullArea <= 0.0 || !rough)
        return {};

    const QRectF bounds = QPolygonF(QList<QPointF>(hull.begin(), hull.end())).boundingRect();
    const double band = std::max(3.0, 0.005 * std::hypot(bounds.width(), bounds.height()));
    const std::array<QPointF, 4>& r = *rough;
    std::array<Line, 4> sides;
    for (size_t i = 0; i < 4; ++i)
        sides[i] = refitSide(r[i], r[(i + 1) % 4], boundary, band);
    std::array<QPointF, 4> corners;
    for (size_t i = 0; i < 4; ++i) {
        const std::optional<QPointF> at = intersect(sides[(i + 3) % 4], sides[i]);
        if (!at)
            return ordered(r);
        corners[i] = *at;
    }
    // A refit that went astray (too few points on a side) keeps the rough corners.
    const double area = polygonArea({corners.begin(), corners.end()});
    if (!isConvex(corners) || area < 0.9 * hullArea || area > 1.5 * hullArea)
        return ordered(r);
    return ordered(corners);
}

} // namespace pagula::imaging
