// Renders a page of nine A4 scans (3 x 3 cells of 64.3 x 90 mm) to PDF at 300 dpi and sets the
// time against what decoding the nine pictures at the same requested size costs; then the
// peak memory of saving 1, 10 and 50 such pages, each in a process of its own.
//   bench_render [work folder]        the scans are made there once and kept
// Prints figures only.
#include "common/Scans.h"
#include "document/FlowLayout.h"
#include "document/PdfExport.h"
#include "document/PicturePreparation.h"
#include "imaging/ImageIO.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace pagula::document;

namespace
{

constexpr int ScanCount = 9;
constexpr double PointsPerMm = 2.835;

// The document the composition makes with the default grid: margins 7, 10, 7, 20 mm (bottom
// and right less 4 mm), cells 64.3 x 90 mm, a paragraph mark after each row.
Document gridDocument(const QStringList& scans, int pages)
{
    Document doc;
    doc.setTopMargin(float(7 * PointsPerMm));
    doc.setLeftMargin(float(7 * PointsPerMm));
    doc.setBottomMargin(float(16 * PointsPerMm));
    doc.setRightMargin(float(6 * PointsPerMm));
    for (int page = 0; page < pages; ++page) {
        for (int cell = 0; cell < ScanCount; ++cell) {
            const pagula::imaging::ImageInfo info = pagula::imaging::probeFile(scans[cell]);
            InlinePicture picture(scans[cell], info.sizeInPoints(), true, false);
            picture.setWidth(float(64.3 * PointsPerMm));
            picture.setHeight(float(90.0 * PointsPerMm));
            picture.setBorder(BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
            picture.setBorder(BorderEdge::Left, LineStyleSingle, LineWidthQuarterPoint);
            doc.insertPicture(doc.itemCount(), picture);
            if (cell % 3 == 2)
                doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
        }
    }
    return doc;
}

double secondsToSave(const Document& doc, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    savePdf(doc, path);
    return timer.nsecsElapsed() / 1e9;
}

int saveInChild(const QString& folder, int pages)
{
    const QStringList scans = pagula::bench::ensureScans(folder, ScanCount);
    savePdf(gridDocument(scans, pages), QDir(folder).filePath(QStringLiteral("pages.pdf")));
    return 0;
}

// Peak resident memory, in MiB, of a child process that saves `pages` pages.
double peakMegabytesForPages(const char* self, const QString& folder, int pages)
{
    const QByteArray count = QByteArray::number(pages);
    const QByteArray dir = QFile::encodeName(folder);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>("--child-pages"),
                    const_cast<char*>(count.constData()), const_cast<char*>(dir.constData()),
                    nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, self, nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child-pages")
        return saveInChild(QString::fromLocal8Bit(argv[3]), atoi(argv[2]));

    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QElapsedTimer making;
    making.start();
    const QStringList scans = pagula::bench::ensureScans(folder, ScanCount);
    std::printf("scans: %d x 2480 x 3508 JPEG,", ScanCount);
    for (const QString& scan : scans)
        std::printf(" %.2f", QFileInfo(scan).size() / 1048576.0);
    std::printf(" MiB (ready in %.1f s)\n", making.elapsed() / 1000.0);

    const Document page = gridDocument(scans, 1);
    const DocumentLayout layout = layoutDocument(page);
    const QList<PlacedPicture> cells = layout.pages[0].pictures();
    std::printf("layout: %lld pages, %lld cells on page 1, cell %.2f x %.2f pt\n",
                static_cast<long long>(layout.pages.size()), static_cast<long long>(cells.size()),
                cells[0].box.width(), cells[0].box.height());

    // What the renderer asks the decoder for, and what the decoder gives.
    const QSize target = boxPixels(cells[0].box.size(), 300);
    pagula::imaging::DecodeRequest request;
    request.atLeast = decodeSizeFor(target, QRectF(0, 0, 1, 1));
    const QImage sample = pagula::imaging::decodeFile(scans[0], request);
    std::printf("decode request: at least %d x %d for a %d x %d cell; decoder returns %d x %d%s\n",
                request.atLeast.width(), request.atLeast.height(), target.width(), target.height(),
                sample.width(), sample.height(),
                sample.width() >= 2 * request.atLeast.width()
                    ? " (full size: no DCT scaling in the decoder yet)"
                    : "");

    const int rounds = 5;
    std::vector<double> decodeTimes, renderTimes;
    const QString pdf = QDir(folder).filePath(QStringLiteral("page.pdf"));
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (const QString& scan : scans)
            pagula::imaging::decodeFile(scan, request);
        decodeTimes.push_back(timer.nsecsElapsed() / 1e9);
        renderTimes.push_back(secondsToSave(page, pdf));
    }
    std::sort(decodeTimes.begin(), decodeTimes.end());
    std::sort(renderTimes.begin(), renderTimes.end());
    const double decode = decodeTimes[rounds / 2];
    const double render = renderTimes[rounds / 2];
    std::printf("decode 9 pictures at that request: %.3f s (median of %d)\n", decode, rounds);
    std::printf("render page to PDF at 300 dpi:     %.3f s (median of %d), %.2f x decoding "
                "(target at most 1.5 x), PDF %.2f MiB\n",
                render, rounds, render / decode, QFileInfo(pdf).size() / 1048576.0);

    for (const int pages : {1, 10, 50}) {
        QElapsedTimer timer;
        timer.start();
        const double peak = peakMegabytesForPages(argv[0], folder, pages);
        std::printf("peak RSS saving %2d pages: %6.1f MiB (%.1f s)\n", pages, peak,
                    timer.elapsed() / 1000.0);
    }
    return 0;
}
