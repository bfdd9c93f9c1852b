#include "preview/PreparedPreview.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace pagula::preview
{

double cellDpi(QSize pixels, QSizeF cellMm, bool keepProportions)
{
    if (pixels.isEmpty() || cellMm.isEmpty())
        return 0.0;
    constexpr double mmPerInch = 25.4;
    const double across = pixels.width() * mmPerInch / cellMm.width();
    const double down = pixels.height() * mmPerInch / cellMm.height();
    // Fitted, the picture is shown at the larger of the two scales' inverse: the direction that
    // fills the cell sets it. Stretched, the direction with fewer dots is what the eye sees.
    return keepProportions ? std::max(across, down) : std::min(across, down);
}

QString cellDpiText(double dpi)
{
    const int shown = int(std::lround(dpi));
    if (dpi < lowCellDpi)
        return QCoreApplication::translate(
                   "pagula::preview::PreparedPreview",
                   "В ячейке %1 точек на дюйм: мелкий текст будет плохо читаться")
            .arg(shown);
    return QCoreApplication::translate("pagula::preview::PreparedPreview",
                                       "В ячейке %1 точек на дюйм")
        .arg(shown);
}

QImage outlinedOriginal(const QImage& original, QSize realSize, const QPolygonF& outline)
{
    QImage copy = original.convertToFormat(QImage::Format_RGB32);
    if (copy.isNull() || realSize.isEmpty() || outline.size() < 3)
        return copy;
    const QTransform toCopy = QTransform::fromScale(double(copy.width()) / realSize.width(),
                                                    double(copy.height()) / realSize.height());
    QPainter painter(&copy);
    painter.setRenderHint(QPainter::Antialiasing);
    // Wide enough to see at the window's size, whatever the picture's.
    const double width = std::max(2.0, std::max(copy.width(), copy.height()) / 250.0);
    painter.setPen(QPen(QColor(230, 40, 40), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(toCopy.map(outline));
    painter.end();
    return copy;
}

} // namespace pagula::preview
