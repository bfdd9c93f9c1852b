#include "app/Splitter.h"

#include "app/WindowColours.h"

#include <QPainter>
#include <QSplitterHandle>

namespace pagula::app
{

namespace
{

class SolidHandle : public QSplitterHandle
{
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override
    {
        // A thin handle is wider than it looks, to be easier to grab; only its middle is drawn.
        QPainter(this).fillRect(contentsRect(), WindowColours::splitter());
    }
};

} // namespace

Splitter::Splitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent)
{
    setHandleWidth(HandleWidth);
    setOpaqueResize(true);
    setChildrenCollapsible(false);
}

QSplitterHandle* Splitter::createHandle()
{
    return new SolidHandle(orientation(), this);
}

} // namespace pagula::app
