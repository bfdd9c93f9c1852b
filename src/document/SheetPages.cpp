#include "document/SheetPages.h"

#include "common/Error.h"
#include "document/PageGeometry.h"

#include <QDir>
#include <QFont>
#include <QImageWriter>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace pagula::document::sheets
{

namespace
{

constexpr double PxPerMm = PictureDpi / 25.4;
constexpr double LineMm = 0.2;

QFont textFont(double heightMm, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(std::lround(heightMm * PxPerMm)));
    font.setBold(bold);
    return font;
}

} // namespace

QImage blankPage()
{
    QImage page(int(std::lround(PageWidthMm * PxPerMm)), int(std::lround(PageHeightMm * PxPerMm)),
                QImage::Format_Grayscale8);
    if (page.isNull())
        throw common::Error(QStringLiteral("Not enough memory for a page of %1 x %2 mm")
                                .arg(PageWidthMm)
                                .arg(PageHeightMm));
    page.setDotsPerMeterX(int(std::lround(PictureDpi / 0.0254)));
    page.setDotsPerMeterY(int(std::lround(PictureDpi / 0.0254)));
    page.fill(Qt::white);
    return page;
}

void beginMm(QPainter& painter, QImage& page)
{
    painter.begin(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(PxPerMm, PxPerMm);
    painter.setPen(QPen(Qt::black, LineMm, Qt::SolidLine, Qt::FlatCap));
}

// The painter is in mm, the font in page pixels.
void drawText(QPainter& painter, const QRectF& boxMm, const QString& text, double heightMm,
              bool bold, int flags)
{
    painter.save();
    painter.scale(1.0 / PxPerMm, 1.0 / PxPerMm);
    painter.setFont(textFont(heightMm, bold));
    const QRectF box(boxMm.x() * PxPerMm, boxMm.y() * PxPerMm, boxMm.width() * PxPerMm,
                     boxMm.height() * PxPerMm);
    painter.drawText(box, flags, text);
    painter.restore();
}

QString writePage(const QImage& page, const QString& folder, const QString& name)
{
    if (!QDir().mkpath(folder))
        throw common::Error(QStringLiteral("Cannot create folder %1").arg(folder));
    const QString path = QDir(folder).filePath(name);
    QImageWriter writer(path, "png");
    if (!writer.write(page))
        throw common::Error(
            QStringLiteral("Cannot write file %1: %2").arg(path, writer.errorString()));
    return path;
}

std::shared_ptr<Document> pagesDocument(const QStringList& pictures)
{
    auto doc = std::make_shared<Document>();
    doc->setLeftMargin(0.0);
    doc->setTopMargin(0.0);
    doc->setRightMargin(0.0);
    doc->setBottomMargin(0.0);
    for (const QString& picture : pictures) {
        if (doc->itemCount() > 0)
            doc->insertControl(doc->itemCount(), ItemKind::PageBreak);
        doc->insertPicture(doc->itemCount(), InlinePicture(picture, a4PageSize(), true, false));
    }
    return doc;
}

} // namespace pagula::document::sheets
