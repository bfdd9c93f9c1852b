#include "layout/ui/ClickableLineEdit.h"

#include <QMouseEvent>

namespace pagula::layout
{

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A click is a left press released over the edit.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace pagula::layout
