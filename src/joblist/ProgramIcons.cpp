#include "joblist/ProgramIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace pagula::joblist
{

namespace
{

const QColor Outline(64, 64, 64);
const QColor ArrowGrey(128, 128, 128);
const QColor ArrowLight(192, 192, 192);
const QColor TextLine(0, 0, 128);

void drawPage(QPainter& p, const QRectF& r)
{
    // A sheet with its top right corner folded over.
    const qreal fold = 3;
    QPolygonF sheet;
    sheet << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold)
          << r.bottomRight() << r.bottomLeft();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    QPolygonF corner;
    corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
           << QPointF(r.right(), r.top() + fold);
    p.setBrush(ArrowLight);
    p.drawPolygon(corner);
}

void drawTextLines(QPainter& p, qreal left, qreal right, qreal top, qreal bottom)
{
    p.setPen(QPen(TextLine, 1));
    int n = 0;
    for (qreal y = top; y <= bottom; y += 2, ++n) {
        const qreal end =
            (n % 3 == 2) ? left + (right - left) * 0.6 : right; // paragraph ends short
        p.drawLine(QPointF(left, y), QPointF(end, y));
    }
}

void drawPageWithText(QPainter& p)
{
    drawPage(p, QRectF(2.5, 0.5, 10, 15));
    drawTextLines(p, 4.5, 10.5, 4.5, 13.5);
}

void drawPageWithMagnifier(QPainter& p)
{
    drawPage(p, QRectF(0.5, 0.5, 10, 14));
    drawTextLines(p, 2.5, 8.5, 3.5, 12.5);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(120, 60, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.3, 12.3), QPointF(14.8, 14.8));
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(QColor(170, 220, 255, 220));
    p.drawEllipse(QPointF(9.5, 9.5), 3.6, 3.6);
    p.setPen(QPen(Qt::white, 1));
    p.drawArc(QRectF(7.3, 7.3, 4.4, 4.4), 100 * 16, 70 * 16);
}

// A thick arrow pointing left; mirrored for the right one.
void drawGreyArrow(QPainter& p, bool pointsRight)
{
    QPolygonF arrow;
    arrow << QPointF(1, 8) << QPointF(7.5, 1.5) << QPointF(7.5, 5) << QPointF(14.5, 5)
          << QPointF(14.5, 11) << QPointF(7.5, 11) << QPointF(7.5, 14.5);
    if (pointsRight) {
        for (QPointF& pt : arrow)
            pt.setX(16 - pt.x());
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient shade(0, 2, 0, 14);
    shade.setColorAt(0, ArrowLight);
    shade.setColorAt(1, ArrowGrey);
    p.setBrush(shade);
    p.setPen(QPen(Outline, 1));
    p.drawPolygon(arrow);
}

// The same arrow turned upwards or downwards.
void drawGreyArrowVertical(QPainter& p, bool pointsDown)
{
    p.translate(8, 8);
    p.rotate(pointsDown ? -90 : 90);
    p.translate(-8, -8);
    drawGreyArrow(p, false);
}

// Three green arrows chasing each other round a triangle.
void drawCycleArrows(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor green(0, 150, 0);
    const std::array<QPointF, 3> corners{QPointF(8, 1.5), QPointF(14.5, 13.5), QPointF(1.5, 13.5)};
    for (size_t i = 0; i < corners.size(); ++i) {
        const QPointF a = corners[i];
        const QPointF b = corners[(i + 1) % corners.size()];
        const QPointF d = b - a;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF u = d / len;
        const QPointF start = a + u * 1.5;
        const QPointF tip = b - u * 1.0;
        const QPointF base = tip - u * 4.0;
        const QPointF normal(-u.y(), u.x());
        p.setPen(QPen(green, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(start, base);
        QPolygonF head;
        head << tip << base + normal * 2.6 << base - normal * 2.6;
        p.setPen(QPen(QColor(0, 90, 0), 0.8));
        p.setBrush(QColor(40, 200, 40));
        p.drawPolygon(head);
    }
}

// The other indices: a shape per index in one of a few colours, so every icon differs.
void drawGenericGlyph(QPainter& p, int index)
{
    static const std::array<QColor, 7> colours{
        QColor(0, 0, 160),   QColor(0, 140, 0),   QColor(190, 0, 0), QColor(200, 140, 0),
        QColor(120, 0, 140), QColor(0, 130, 140), QColor(90, 90, 90)};
    const QColor colour = colours[static_cast<size_t>(index / 8) % colours.size()];
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour.lighter(130));
    switch (index % 8) {
    case 0:
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        break;
    case 1:
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        break;
    case 2:
        p.drawPolygon(
            QPolygonF{QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)});
        break;
    case 3:
        p.drawPolygon(QPolygonF{QPointF(8, 2), QPointF(14.5, 13.5), QPointF(1.5, 13.5)});
        break;
    case 4:
        p.drawPolygon(QPolygonF{QPointF(6, 2), QPointF(10, 2), QPointF(10, 6), QPointF(14, 6),
                                QPointF(14, 10), QPointF(10, 10), QPointF(10, 14), QPointF(6, 14),
                                QPointF(6, 10), QPointF(2, 10), QPointF(2, 6), QPointF(6, 6)});
        break;
    case 5:
        p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case 6: {
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const qreal r = (k % 2 == 0) ? 7.0 : 3.0;
            const qreal a = -M_PI / 2 + k * M_PI / 5;
            star << QPointF(8 + r * std::cos(a), 8.5 + r * std::sin(a));
        }
        p.drawPolygon(star);
        break;
    }
    default:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 2.5));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    }
}

QImage drawIcon(int index)
{
    QImage image(ProgramIcons::IconSize, ProgramIcons::IconSize,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    switch (index) {
    case ProgramIcons::PageIcon:
        drawPageWithText(p);
        break;
    case ProgramIcons::ArrowRightIcon:
        drawGreyArrow(p, true);
        break;
    case 33:
        drawGreyArrowVertical(p, false);
        break;
    case ProgramIcons::ArrowLeftIcon:
        drawGreyArrow(p, false);
        break;
    case 35:
        drawGreyArrowVertical(p, true);
        break;
    case ProgramIcons::CycleArrowsIcon:
        drawCycleArrows(p);
        break;
    case ProgramIcons::PageMagnifierIcon:
        drawPageWithMagnifier(p);
        break;
    default:
        drawGenericGlyph(p, index);
        break;
    }
    p.end();
    return image;
}

} // namespace

const QImage& ProgramIcons::image(int index)
{
    static const std::array<QImage, Count> images = [] {
        std::array<QImage, Count> all;
        for (int i = 0; i < Count; ++i)
            all[static_cast<size_t>(i)] = drawIcon(i);
        return all;
    }();
    static const QImage none;
    return index >= 0 && index < Count ? images[static_cast<size_t>(index)] : none;
}

QIcon ProgramIcons::icon(int index)
{
    return QIcon(QPixmap::fromImage(image(index)));
}

} // namespace pagula::joblist
