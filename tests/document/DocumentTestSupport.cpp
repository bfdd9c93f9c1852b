#include "DocumentTestSupport.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>

namespace pagula::document::test
{

QImage solidImage(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage halvesImage(QSize size, QColor left, QColor right)
{
    QImage image = solidImage(size, right);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, size.width() / 2, size.height()), left);
    return image;
}

QString savePictureFile(const QImage& image, const QString& path, double dpi, const char* format)
{
    QImage copy = image;
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    copy.setDotsPerMeterX(dotsPerMeter);
    copy.setDotsPerMeterY(dotsPerMeter);
    pagula::test::savePicture(copy, path, format, 100);
    return path;
}

InlinePicture pictureOfSize(double width, double height, const QString& path)
{
    return InlinePicture(path, QSizeF(width, height), true, false);
}

Document documentFrom(const char* content, const QList<QSizeF>& sizes, QMarginsF margins)
{
    Document doc;
    doc.setLeftMargin(margins.left());
    doc.setTopMargin(margins.top());
    doc.setRightMargin(margins.right());
    doc.setBottomMargin(margins.bottom());
    int next = 0;
    for (const char* c = content; *c; ++c) {
        switch (*c) {
        case 'P': {
            const QSizeF size = sizes.at(next++);
            doc.insertPicture(doc.itemCount(), pictureOfSize(size.width(), size.height()));
            break;
        }
        case '|':
            doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
            break;
        case '/':
            doc.insertControl(doc.itemCount(), ItemKind::LineBreak);
            break;
        case '#':
            doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
            break;
        default:
            break;
        }
    }
    return doc;
}

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace pagula::document::test
