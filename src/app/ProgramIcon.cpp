#include "app/ProgramIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resource lives in a static library: naming it keeps it linked in.
static void initProgramIconResource()
{
    Q_INIT_RESOURCE(ProgramIcon);
}

namespace pagula::app
{

QIcon programIcon()
{
    initProgramIconResource();
    QSvgRenderer svg(QStringLiteral(":/pagula/pagula.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace pagula::app
