#include "app/BevelPanel.h"

#include "widgets/PackedColor.h"

#include <QPainter>

namespace pagula::app
{

namespace
{

// One ring of a rectangle: top and left edges in one colour, bottom and right in the other.
void drawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.bottom(), r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.setPen(bottomRight);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
}

} // namespace

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    updateMargins();
}

void BevelPanel::setBevels(Bevel outer, Bevel inner)
{
    outer_ = outer;
    inner_ = inner;
    updateMargins();
    update();
}

int BevelPanel::bevelDepth() const
{
    return (outer_ != Bevel::None ? 1 : 0) + (inner_ != Bevel::None ? 1 : 0);
}

void BevelPanel::setColor(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

QColor BevelPanel::color() const
{
    return palette().color(QPalette::Window);
}

void BevelPanel::setCaption(const QString& caption, Qt::Alignment alignment)
{
    caption_ = caption;
    captionAlignment_ = alignment;
    update();
}

void BevelPanel::updateMargins()
{
    const int d = bevelDepth();
    setContentsMargins(d, d, d, d);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor light = widgets::resolveColor(widgets::kButtonHighlight, palette());
    const QColor dark = widgets::resolveColor(widgets::kButtonShadow, palette());
    QRect ring = rect();
    for (Bevel bevel : {outer_, inner_}) {
        if (bevel == Bevel::None)
            continue;
        if (bevel == Bevel::Raised)
            drawRing(p, ring, light, dark);
        else if (bevel == Bevel::Lowered)
            drawRing(p, ring, dark, light);
        ring.adjust(1, 1, -1, -1);
    }
    if (!caption_.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(ring.adjusted(2, 0, -2, 0), int(captionAlignment_ | Qt::AlignVCenter), caption_);
    }
}

} // namespace pagula::app
