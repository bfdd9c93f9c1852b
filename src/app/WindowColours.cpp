#include "app/WindowColours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace pagula::app
{

QColor WindowColours::splitter()
{
    return QApplication::palette().color(QPalette::Button);
}

void WindowColours::paintAsEdit(QWidget& widget)
{
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Base, edit());
    // A drop-down list that cannot be typed into paints its face with the button colour.
    pal.setColor(QPalette::Button, edit());
    widget.setPalette(pal);
}

} // namespace pagula::app
