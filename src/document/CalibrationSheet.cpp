#include "document/CalibrationSheet.h"

#include "common/Error.h"
#include "document/SheetPages.h"

#include <QPainter>

#include <QCoreApplication>
#include <cmath>

namespace pagula::document
{

using namespace calibration;

namespace
{

using namespace sheets;

QString number(double value)
{
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

QImage frontPage()
{
    QImage page = blankPage();
    QPainter p;
    beginMm(p, page);
    drawText(p, {15, 12, 180, 12},
             QCoreApplication::translate("CalibrationSheet", "Лист калибровки двусторонней печати"),
             6, true);
    drawText(p, {15, 24, 180, 60},
             QCoreApplication::translate(
                 "CalibrationSheet",
                 "1. Напечатайте обе страницы на одном листе, с переворотом по длинному краю "
                 "(или вложите лист обратно в лоток вручную), с масштабом 100 %.\n"
                 "2. Посмотрите лист на просвет со стороны, где напечатаны шкалы.\n"
                 "3. Прочитайте, на какое число шкалы X попадает вертикальная линия этого "
                 "креста, и на какое число шкалы Y — его горизонтальная линия (шаг 0,5 мм).\n"
                 "4. Введите эти числа в «Сдвиг обратной стороны» (правая кнопка мыши на "
                 "«Двусторонняя печать»): X — вправо, Y — вниз, в мм."),
             3.6);
    const QPointF c = FrontCross;
    p.drawLine(QPointF(c.x(), c.y() - 60), QPointF(c.x(), c.y() + 60));
    p.drawLine(QPointF(c.x() - 50, c.y()), QPointF(c.x() + 50, c.y()));
    // Millimetre ticks along both lines, longer every 5 and 10 mm; none where the back's
    // scales lie behind the lines, so the lines read clean against them.
    // The back's scales stand on one side of their base lines with ticks and numbers up to
    // about 22 mm long.
    const auto clearOfScale = [](int k, double scaleAt) {
        return k > -scaleAt + 2 || k < -scaleAt - 24;
    };
    for (int k = -50; k <= 50; ++k) {
        const double len = k % 10 == 0 ? 3.0 : k % 5 == 0 ? 2.0 : 1.0;
        if (k == 0)
            continue;
        if (clearOfScale(k, YScaleBesideMm))
            p.drawLine(QPointF(c.x() + k, c.y() - len), QPointF(c.x() + k, c.y() + len));
        if (clearOfScale(k, XScaleAboveMm))
            p.drawLine(QPointF(c.x() - len, c.y() + k), QPointF(c.x() + len, c.y() + k));
    }
    drawText(p, {c.x() + 4, c.y() + 4, 60, 8},
             QCoreApplication::translate("CalibrationSheet", "крест лицевой стороны"), 3);
    p.end();
    return page;
}

QImage backPage(QPointF shift)
{
    QImage page = blankPage();
    QPainter p;
    beginMm(p, page);
    drawText(
        p, {15, 12, 180, 12},
        QCoreApplication::translate("CalibrationSheet",
                                    "Обратная сторона листа калибровки: смотрите на просвет с этой "
                                    "стороны"),
        4.5, true);
    drawText(p, {15, 24, 180, 40},
             QCoreApplication::translate(
                 "CalibrationSheet",
                 "Вертикальная линия креста лицевой стороны показывает на шкале X "
                 "сдвиг вправо, горизонтальная на шкале Y — сдвиг вниз. Если линия "
                 "попала на 0, сдвиг не нужен."),
             3.6);
    p.translate(shift);
    const QPointF zero = BackZero;
    const double xScaleY = zero.y() - XScaleAboveMm;
    const double yScaleX = zero.x() + YScaleBesideMm;
    const int steps = int(std::lround(ScaleRangeMm / ScaleStepMm));
    // The numbers grow to the right and downwards: the front's line, at the value -d where the
    // back is printed d too far, asks for the offset -d.
    for (int k = -steps; k <= steps; ++k) {
        const double v = k * ScaleStepMm;
        const bool whole = k % 2 == 0;
        // X scale: vertical ticks standing on a base line, numbered every 5 mm (the numbers
        // stand side by side).
        const double xLen = k == 0 ? 8.0 : k % 10 == 0 ? 5.0 : whole ? 3.5 : 2.0;
        p.drawLine(QPointF(zero.x() + v, xScaleY), QPointF(zero.x() + v, xScaleY - xLen));
        if (k % 10 == 0)
            drawText(p, {zero.x() + v - 4, xScaleY - xLen - 4.5, 8, 4}, number(v), 2.6, k == 0,
                     Qt::AlignHCenter | Qt::AlignBottom);
        // Y scale: horizontal ticks from a base line, numbered every 2 mm.
        const double yLen = k == 0 ? 8.0 : k % 4 == 0 ? 5.0 : whole ? 3.5 : 2.0;
        p.drawLine(QPointF(yScaleX, zero.y() + v), QPointF(yScaleX + yLen, zero.y() + v));
        if (k % 4 == 0)
            drawText(p, {yScaleX + yLen + 1, zero.y() + v - 2, 12, 4}, number(v), 2.6, k == 0,
                     Qt::AlignLeft | Qt::AlignVCenter);
    }
    p.drawLine(QPointF(zero.x() - ScaleRangeMm, xScaleY),
               QPointF(zero.x() + ScaleRangeMm, xScaleY));
    p.drawLine(QPointF(yScaleX, zero.y() - ScaleRangeMm),
               QPointF(yScaleX, zero.y() + ScaleRangeMm));
    drawText(p, {zero.x() - ScaleRangeMm - 14, xScaleY - 6, 12, 6},
             QCoreApplication::translate("CalibrationSheet", "X, мм"), 3.2, true,
             Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, {yScaleX - 6, zero.y() - ScaleRangeMm - 8, 20, 6},
             QCoreApplication::translate("CalibrationSheet", "Y, мм"), 3.2, true,
             Qt::AlignLeft | Qt::AlignBottom);
    p.end();
    return page;
}

} // namespace

std::shared_ptr<Document> makeCalibrationSheet(const QString& folder, QPointF misregistrationMm)
{
    const QString front =
        writePage(frontPage(), folder, QStringLiteral("Pagula-calibration-front.png"));
    const QString back = writePage(backPage(misregistrationMm), folder,
                                   QStringLiteral("Pagula-calibration-back.png"));
    return pagesDocument({front, back});
}

} // namespace pagula::document
