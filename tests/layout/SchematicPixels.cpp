#include "SchematicPixels.h"

#include <QPainter>

namespace pagula::layout::test
{

LayoutSettings startSettings()
{
    LayoutSettings s;
    s.cellWidth = 64.3;
    s.cellHeight = 90.0;
    s.maxCellWidth = 193.0 / 3.0;
    s.maxCellHeight = 90.0;
    return s;
}

QColor testTooltipColour()
{
    return QColor(255, 255, 220);
}

SchematicInput startInput()
{
    SchematicInput input;
    input.layout.settings = startSettings();
    input.tooltipBackground = testTooltipColour();
    input.windowText = Qt::black;
    return input;
}

QRect inkBounds(const QImage& image, const QRect& region, const QColor& ink)
{
    QRect bounds;
    const QRect r = region & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == ink)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage inkIn(const QImage& image, const QRect& region, const QColor& ink)
{
    const QRect bounds = inkBounds(image, region, ink);
    if (bounds.isEmpty())
        return {};
    QImage out(bounds.size(), QImage::Format_RGB32);
    for (int y = 0; y < bounds.height(); ++y) {
        for (int x = 0; x < bounds.width(); ++x) {
            const bool inked = image.pixelColor(bounds.x() + x, bounds.y() + y) == ink;
            out.setPixel(x, y, inked ? 0xff000000u : 0xffffffffu);
        }
    }
    return out;
}

QImage expectedNumberInk(const QString& text)
{
    QImage canvas(80, 30, QImage::Format_RGB32);
    canvas.fill(testTooltipColour());
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(schematicNumberFont());
    p.setPen(Qt::black);
    p.drawText(QPoint(5, 20), text);
    p.end();
    return inkIn(canvas, canvas.rect(), Qt::black);
}

namespace
{

QString describe(const QImage& image, int x, int y, const QColor& expected)
{
    return QStringLiteral("(%1, %2) is %3, expected %4")
        .arg(x)
        .arg(y)
        .arg(image.pixelColor(x, y).name(), expected.name());
}

} // namespace

QString ringMismatch(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int x = rect.left(); x <= rect.right(); ++x)
        for (int y : {rect.top(), rect.bottom()})
            if (image.pixelColor(x, y) != colour)
                return describe(image, x, y, colour);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x : {rect.left(), rect.right()})
            if (image.pixelColor(x, y) != colour)
                return describe(image, x, y, colour);
    return {};
}

QString fillMismatch(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) != colour)
                return describe(image, x, y, colour);
    return {};
}

} // namespace pagula::layout::test
