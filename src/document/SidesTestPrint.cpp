#include "document/SidesTestPrint.h"

#include "document/SheetPages.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

namespace pagula::document
{

namespace
{

using namespace sheets;

QImage numberedSide(int number)
{
    const int sheet = (number + 1) / 2;
    const bool front = number % 2 == 1;
    QImage page = blankPage();
    QPainter p;
    beginMm(p, page);
    // The top edge: an arrow pointing at it.
    QPainterPath arrow;
    arrow.moveTo(105, 12);
    arrow.lineTo(93, 30);
    arrow.lineTo(100, 30);
    arrow.lineTo(100, 50);
    arrow.lineTo(110, 50);
    arrow.lineTo(110, 30);
    arrow.lineTo(117, 30);
    arrow.closeSubpath();
    p.fillPath(arrow, Qt::black);
    drawText(p, {60, 52, 90, 10}, QCoreApplication::translate("SidesTestPrint", "верхний край"), 5,
             true, Qt::AlignHCenter);
    drawText(
        p, {15, 68, 180, 12},
        front
            ? QCoreApplication::translate("SidesTestPrint", "Лист %1, лицевая сторона").arg(sheet)
            : QCoreApplication::translate("SidesTestPrint", "Лист %1, обратная сторона").arg(sheet),
        7, true, Qt::AlignHCenter);
    drawText(p, {15, 82, 180, 120}, QString::number(number), 110, true, Qt::AlignCenter);
    drawText(p, {20, 210, 170, 80},
             front ? QCoreApplication::translate(
                         "SidesTestPrint",
                         "На обороте этого листа должна стоять цифра %1, и стрелка там "
                         "должна показывать на тот же край листа.")
                         .arg(number + 1)
                   : QCoreApplication::translate(
                         "SidesTestPrint",
                         "Всё верно, если за 1 стоит 2, за 3 стоит 4 и стрелки обеих сторон "
                         "показывают на один край. Иначе в следующий раз:\n"
                         "• за 1 стоит 4 — отвечайте о стопке наоборот («как была» вместо "
                         "«перевёрнута» или наоборот);\n"
                         "• цифра оборота вверх ногами — вкладывайте стопку другим краем вперёд;\n"
                         "• оборот напечатан поверх лицевой стороны — кладите стопку другой "
                         "стороной вверх."),
             4.2);
    p.end();
    return page;
}

} // namespace

std::shared_ptr<Document> makeSidesTestPrint(const QString& folder)
{
    QStringList pages;
    for (int number = 1; number <= 4; ++number)
        pages << writePage(numberedSide(number), folder,
                           QStringLiteral("Pagula-sides-test-%1.png").arg(number));
    return pagesDocument(pages);
}

} // namespace pagula::document
