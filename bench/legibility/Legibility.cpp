// The helper of the legibility benchmark (run.py beside it):
//   bench_legibility pages DIR COUNT
//       writes COUNT book pages in three captures, DIR/{clean,book,photo}-NN.jpg, and their
//       texts DIR/text-NN.txt
//   bench_legibility prepare IN OUT WxH [--find-page] [--straighten] [--even-background]
//                    [--keep-proportions] [--bw]
//       prepares a page as the composition will once preparation is wired into it: decoded at
//       the size the cell needs (W x H printed pixels), prepared, fitted into the cell (centred,
//       proportions kept, when asked), black and white thresholded at the printed size
//   bench_legibility cer TRUTH READ
//       prints the edit distance of the text file READ from TRUTH and the truth's length, in
//       characters, runs of white space counted as one space

#include "common/Captures.h"
#include "imaging/ImageIO.h"
#include "imaging/PagePreparation.h"
#include "imaging/PrintThreshold.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pagula;

namespace
{

int usage()
{
    std::fprintf(stderr, "usage: bench_legibility pages DIR COUNT\n"
                         "       bench_legibility prepare IN OUT WxH [--find-page] [--straighten]\n"
                         "                        [--even-background] [--keep-proportions] [--bw]\n"
                         "       bench_legibility cer TRUTH READ\n");
    return 2;
}

int writePages(const QString& folder, int count)
{
    QDir().mkpath(folder);
    const struct {
        bench::Capture capture;
        const char* prefix;
    } captures[] = {{bench::Capture::CleanScan, "clean"},
                    {bench::Capture::BookScan, "book"},
                    {bench::Capture::PhonePhoto, "photo"}};
    for (int n = 1; n <= count; ++n) {
        QString text;
        for (const auto& c : captures) {
            const bench::CapturedPage page = bench::capturePage(c.capture, n);
            QImage image = page.image;
            if (c.capture != bench::Capture::PhonePhoto) {
                image.setDotsPerMeterX(11811);
                image.setDotsPerMeterY(11811);
            }
            const QString path = QDir(folder).filePath(
                QStringLiteral("%1-%2.jpg").arg(c.prefix).arg(n, 2, 10, QLatin1Char('0')));
            if (!image.save(path, "JPEG", c.capture == bench::Capture::PhonePhoto ? 88 : 90)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            text = page.text;
        }
        QFile file(
            QDir(folder).filePath(QStringLiteral("text-%1.txt").arg(n, 2, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8() + '\n') < 0)
            return 1;
    }
    return 0;
}

// The picture centred in a white box of the cell's proportions.
QImage fittedInto(const QImage& picture, QSize box)
{
    const double scale =
        std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    const QSize inner(std::max(1, int(picture.width() * scale)),
                      std::max(1, int(picture.height() * scale)));
    QImage out(box, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRect(QPoint((box.width() - inner.width()) / 2, (box.height() - inner.height()) / 2),
              inner),
        picture.convertToFormat(QImage::Format_RGB32));
    painter.end();
    return out;
}

int prepare(const QStringList& args)
{
    if (args.size() < 3)
        return usage();
    const QStringList size = args[2].split(QLatin1Char('x'));
    const QSize box(size.value(0).toInt(), size.value(1).toInt());
    if (box.isEmpty())
        return usage();
    imaging::PreparationOptions options;
    options.findPage = args.contains(QStringLiteral("--find-page"));
    options.straighten = args.contains(QStringLiteral("--straighten"));
    options.evenBackground = args.contains(QStringLiteral("--even-background"));
    const bool keep = args.contains(QStringLiteral("--keep-proportions"));
    const bool bw = args.contains(QStringLiteral("--bw"));

    imaging::DecodeRequest request;
    request.atLeast = box;
    request.luminanceOnly = true;
    const QImage decoded = imaging::decodeFile(args[0], request);
    const imaging::PreparedPage page = imaging::preparePage(decoded, options, box);
    QImage cell = keep ? fittedInto(page.image, box)
                       : page.image.convertToFormat(QImage::Format_RGB32)
                             .scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    cell = bw ? imaging::thresholdForPrint(cell, box)
              : cell.convertToFormat(QImage::Format_Grayscale8);
    if (!cell.save(args[1], "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    std::printf("%s angle %.2f kept %d x %d\n", qPrintable(args[0]), page.geometry.angle,
                page.image.width(), page.image.height());
    return 0;
}

QString normalised(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QChar(0x2019), QLatin1Char('\'')).replace(QChar(0x2018), QLatin1Char('\''));
    text.replace(QChar(0x201C), QLatin1Char('"')).replace(QChar(0x201D), QLatin1Char('"'));
    text.replace(QChar(0xFB01), QStringLiteral("fi")).replace(QChar(0xFB02), QStringLiteral("fl"));
    text.replace(QChar(0x2014), QLatin1Char('-')).replace(QChar(0x2013), QLatin1Char('-'));
    // A line broken with a hyphen by the reader joins up again.
    text.replace(QRegularExpression(QStringLiteral("-\\s*\\n\\s*")), QString());
    return text.simplified();
}

int characterErrorRate(const QString& truthPath, const QString& readPath)
{
    const QString truth = normalised(truthPath);
    const QString read = normalised(readPath);
    if (truth.isEmpty())
        return usage();
    std::vector<int> previous(size_t(read.size()) + 1), current(previous.size());
    for (size_t j = 0; j < previous.size(); ++j)
        previous[j] = int(j);
    for (int i = 1; i <= truth.size(); ++i) {
        current[0] = i;
        for (int j = 1; j <= read.size(); ++j) {
            const int substitute = previous[size_t(j) - 1] + (truth[i - 1] == read[j - 1] ? 0 : 1);
            current[size_t(j)] =
                std::min({substitute, previous[size_t(j)] + 1, current[size_t(j) - 1] + 1});
        }
        std::swap(previous, current);
    }
    std::printf("%d %d\n", previous[size_t(read.size())], int(truth.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("pages") && args.size() == 2)
            return writePages(args[0], std::max(1, args[1].toInt()));
        if (command == QLatin1String("prepare"))
            return prepare(args);
        if (command == QLatin1String("cer") && args.size() == 2)
            return characterErrorRate(args[0], args[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return usage();
}
