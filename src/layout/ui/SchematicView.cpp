#include "layout/ui/SchematicView.h"

#include <QPainter>

namespace pagula::layout
{

SchematicView::SchematicView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SchematicView::setImage(const QImage& image)
{
    image_ = image;
    setFixedSize(image_.size());
    update();
}

void SchematicView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

} // namespace pagula::layout
