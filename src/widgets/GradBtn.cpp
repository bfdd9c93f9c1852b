#include "widgets/GradBtn.h"

#include <QMouseEvent>
#include <QPainter>

namespace pagula {

TGradBtn::TGradBtn(QWidget* parent) : QWidget(parent)
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
}

void TGradBtn::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
}

void TGradBtn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 128));
    p.setPen(Qt::white);
    QString text = caption_;
    text.remove(QLatin1Char('&'));
    p.drawText(rect(), Qt::AlignCenter, text);
}

void TGradBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace pagula
