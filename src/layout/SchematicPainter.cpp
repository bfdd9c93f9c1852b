#include "layout/SchematicPainter.h"

#include "common/Fonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace pagula::layout
{

QColor schematicCellOutline(bool frame)
{
    return frame ? QColor(Qt::black) : QColor(192, 192, 192);
}

QColor schematicStripFill()
{
    return QColor(240, 240, 255);
}

namespace
{

// A rectangle as the platform draws it with a one-pixel pen: the outline on the outermost
// pixels of [left, right) x [top, bottom), the fill inside.
void drawRect(QPainter& p, const QRect& bounds, const PixelRect& rect, const QColor& pen,
              const QColor& brush)
{
    const PixelRect n = rect.normalized();
    const QRect outer = n.clippedTo(bounds);
    if (outer.isEmpty())
        return;
    p.fillRect(outer, pen);
    const PixelRect inside{n.left + 1, n.top + 1, n.right - 1, n.bottom - 1};
    const QRect inner = inside.clippedTo(bounds);
    if (n.right - n.left > 2 && n.bottom - n.top > 2 && !inner.isEmpty())
        p.fillRect(inner, brush);
}

} // namespace

QFont schematicNumberFont()
{
    // "MS Sans Serif" at 8 points is 11 pixels at the screen's 96 dpi; given in pixels so the
    // picture does not depend on the dpi recorded in the image.
    QFont font = common::pixelFont(QStringLiteral("MS Sans Serif"), 11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

namespace
{

void drawNumber(QPainter& p, const QRect& bounds, const SchematicCell& cell, const QFontMetrics& fm,
                const SchematicInput& input)
{
    const std::int64_t width = fm.horizontalAdvance(cell.number);
    const PixelRect box{cell.numberCentreX - width / 2, cell.numberTop,
                        cell.numberCentreX - width / 2 + width, cell.numberTop + fm.height()};
    if (box.clippedTo(bounds).isEmpty())
        return; // off the picture; also keeps the coordinates below within int range
    const QRect textRect(int(box.left), int(box.top), int(width), fm.height());
    // The number is written on an opaque tooltip-coloured background.
    p.fillRect(textRect, input.tooltipBackground);
    p.setPen(input.windowText);
    p.drawText(QPoint(textRect.left(), textRect.top() + fm.ascent()), cell.number);
}

} // namespace

void drawSchematic(QImage& image, const SchematicInput& input)
{
    const SchematicGeometry geometry = schematicGeometry(input.layout);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const QFont font = schematicNumberFont();
    p.setFont(font);
    const QFontMetrics fm(font, &image);
    const QRect bounds = image.rect();
    const QColor outline = schematicCellOutline(input.frame);

    drawRect(p, bounds, geometry.page, Qt::black, Qt::white);
    for (const SchematicCell& cell : geometry.cells) {
        drawRect(p, bounds, cell.outline, outline, input.tooltipBackground);
        drawNumber(p, bounds, cell, fm, input);
        // The strip comes after the number and covers it where they overlap.
        if (cell.strip)
            drawRect(p, bounds, *cell.strip, outline, schematicStripFill());
    }
}

QImage renderSchematic(const SchematicInput& input)
{
    QImage image(kSchematicWidth, kSchematicHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    drawSchematic(image, input);
    return image;
}

} // namespace pagula::layout
