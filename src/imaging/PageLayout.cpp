#include "imaging/PageLayout.h"

#include "imaging/PaperOutline.h"
#include "imaging/PictureWarp.h"
#include "imaging/SkewAngle.h"
#include "imaging/TextBlock.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace pagula::imaging
{

namespace
{

constexpr int lookingSide = 1000;
constexpr int minLookingSide = 48;
// The pad kept around the print, as a share of the page's shorter side.
constexpr double contentPad = 0.02;
// Turns smaller than this are left alone.
constexpr double minTurn = 0.05;
constexpr double pi = 3.14159265358979323846;

// A grey copy whose longer side is at most lookingSide, by averaging (no aliasing of print).
QImage lookingCopy(const QImage& picture, double& scale)
{
    const int longer = std::max(picture.width(), picture.height());
    scale = std::min(1.0, double(lookingSide) / longer);
    QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (scale >= 1.0)
        return grey;
    const QSize size(std::max(1, int(std::lround(picture.width() * scale))),
                     std::max(1, int(std::lround(picture.height() * scale))));
    return grey.convertToFormat(QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
}

double length(const QPointF& a, const QPointF& b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double degreesOf(const QPointF& from, const QPointF& to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / pi;
}

QPolygonF corners(const QRectF& r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

// The turn by `degrees` (clockwise as seen) about a point.
QTransform turnAbout(QPointF centre, double degrees)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-centre.x(), -centre.y());
    return t;
}

} // namespace

PageLayout findPageLayout(const QImage& picture, const LayoutQuestions& questions)
{
    PageLayout layout;
    layout.page = QRectF(QPointF(0, 0), QSizeF(picture.size()));
    if (picture.isNull())
        return layout;
    double scale = 1.0;
    const QImage small = lookingCopy(picture, scale);
    if (std::min(small.width(), small.height()) < minLookingSide)
        return layout;
    const QTransform toSmall = QTransform::fromScale(scale, scale);
    const QTransform fromSmall = QTransform::fromScale(1.0 / scale, 1.0 / scale);

    const QPolygonF paper = findPaper(small);
    if (paper.size() == 4) {
        layout.paper = fromSmall.map(paper);
        const QPolygonF& q = layout.paper;
        const double width = (length(q[0], q[1]) + length(q[3], q[2])) / 2.0;
        const double height = (length(q[0], q[3]) + length(q[1], q[2])) / 2.0;
        layout.angle = (degreesOf(q[0], q[1]) + degreesOf(q[3], q[2])) / 2.0;
        if (questions.level) {
            const QRectF upright(0, 0, width, height);
            QTransform unwarp;
            if (QTransform::quadToQuad(q, corners(upright), unwarp)) {
                layout.toPage = unwarp;
                layout.page = upright;
                layout.levelled = true;
            }
        } else {
            layout.page = q.boundingRect();
        }
    }

    // The page as the small copy sees it, levelled.
    const QTransform smallToPage = fromSmall * layout.toPage * toSmall;
    const QRect smallPage =
        smallToPage.mapRect(small.rect()).intersected(toSmall.mapRect(layout.page).toAlignedRect());
    QImage levelled = layout.levelled ? warpPicture(small, smallToPage, smallPage) : small;
    QPointF smallOrigin = layout.levelled ? QPointF(smallPage.topLeft()) : QPointF();

    if (questions.level) {
        const std::optional<double> skew = findSkew(levelled);
        if (skew && std::abs(*skew) >= minTurn) {
            // Turn the page plane back about the page's centre.
            const QTransform turn = turnAbout(layout.page.center(), -*skew);
            layout.toPage = layout.toPage * turn;
            layout.angle = layout.paper.isEmpty() ? *skew : layout.angle + *skew;
            layout.levelled = true;
            if (questions.findContent) {
                const QTransform smallTurn = fromSmall * layout.toPage * toSmall;
                const QRect turned = toSmall.mapRect(layout.page).toAlignedRect();
                levelled = warpPicture(small, smallTurn, turned);
                smallOrigin = turned.topLeft();
            }
        }
    }

    if (questions.findContent && !levelled.isNull()) {
        const QRect block = findTextBlock(levelled);
        if (!block.isEmpty()) {
            const QRectF inPage = fromSmall.mapRect(QRectF(block).translated(smallOrigin));
            const double pad = contentPad * std::min(layout.page.width(), layout.page.height());
            layout.content = inPage.adjusted(-pad, -pad, pad, pad).intersected(layout.page);
        }
    }
    return layout;
}

} // namespace pagula::imaging
