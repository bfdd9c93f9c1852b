// The cost of page preparation against the decode it follows. Each page is decoded at the size
// its cell needs (the picture box of a 3 x 3 or 4 x 4 grid at 300 or 600 dpi, as the
// composition asks for it), then prepared with every option on, down to the cell's size; the
// target is at most 1.5 x the decode. Also times each part alone and the local black and white
// at the printed size.
//   bench_preparation [pages] [repetitions]

#include "common/Captures.h"
#include "imaging/ImageIO.h"
#include "imaging/PagePreparation.h"
#include "imaging/PrintThreshold.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace pagula;

namespace
{

// Processor time of this thread: the machine may be shared, and wall time then measures the
// neighbours as much as the code (preparation and decoding run on the calling thread).
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The best of several runs: what the code costs when the neighbours leave it alone.
double bestMs(int repetitions, const std::function<void()>& f)
{
    double best = INFINITY;
    for (int i = 0; i < repetitions; ++i) {
        const double start = cpuMs();
        f();
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

// The picture box of a cell at the start values (margins 7, 10, 7, 20 mm, a 6 mm gutter on the
// left), in pixels at dpi, as the composition converts millimetres.
QSize pictureBox(int grid, double dpi)
{
    const double pixelsPerMm = 2.835 * dpi / 72.0;
    const double width = (210.0 - 17.0) / grid - 6.0;
    const double height = (297.0 - 27.0) / grid;
    return {int(width * pixelsPerMm + 0.5), int(height * pixelsPerMm + 0.5)};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 2;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const bench::Capture captures[] = {bench::Capture::CleanScan, bench::Capture::BookScan,
                                       bench::Capture::PhonePhoto};
    std::vector<std::vector<QString>> files;
    std::printf("Making %d pages in each capture...\n", pages);
    for (bench::Capture capture : captures) {
        files.emplace_back();
        for (int n = 1; n <= pages; ++n) {
            const QString path = dir.filePath(QStringLiteral("%1-%2.jpg").arg(int(capture)).arg(n));
            bench::capturePage(capture, n).image.save(path, "JPEG", 88);
            files.back().push_back(path);
        }
    }
    std::printf("best of %d runs, processor time per page; grey decode (the colour types "
                "grey and black and white)\n\n",
                repetitions);
    std::printf("%-12s %-5s %4s %11s %9s %10s %6s %9s %9s %9s\n", "capture", "grid", "dpi",
                "decoded", "decode ms", "prepare ms", "ratio", "outline", "straight", "even");

    const imaging::PreparationOptions all{true, true, true};
    for (size_t c = 0; c < std::size(captures); ++c) {
        for (int grid : {3, 4}) {
            for (double dpi : {300.0, 600.0}) {
                imaging::DecodeRequest request;
                request.atLeast = pictureBox(grid, dpi);
                request.luminanceOnly = true;
                std::vector<QImage> decoded;
                const double decodeMs =
                    bestMs(repetitions,
                           [&] {
                               decoded.clear();
                               for (const QString& f : files[c])
                                   decoded.push_back(imaging::decodeFile(f, request));
                           }) /
                    pages;
                const auto prepareMs = [&](const imaging::PreparationOptions& options) {
                    return bestMs(repetitions,
                                  [&] {
                                      for (const QImage& picture : decoded)
                                          imaging::preparePage(picture, options, request.atLeast);
                                  }) /
                           pages;
                };
                const double allMs = prepareMs(all);
                std::printf("%-12s %d x %d %4.0f %5d x %-4d %9.1f %10.1f %6.2f %9.1f %9.1f %9.1f\n",
                            bench::captureName(captures[c]), grid, grid, dpi,
                            decoded.front().width(), decoded.front().height(), decodeMs, allMs,
                            allMs / decodeMs, prepareMs({true, false, false}),
                            prepareMs({false, true, false}), prepareMs({false, false, true}));
            }
        }
    }

    std::printf("\nLocal black and white at the printed size (600 dpi), from a prepared page:\n");
    for (int grid : {3, 4}) {
        const QSize box = pictureBox(grid, 600.0);
        imaging::DecodeRequest request;
        request.atLeast = box;
        request.luminanceOnly = true;
        const QImage page =
            imaging::preparePage(imaging::decodeFile(files[2].front(), request), all, box).image;
        const double ms = bestMs(repetitions, [&] { imaging::thresholdForPrint(page, box); });
        std::printf("  %d x %d, %d x %d pixels: %.1f ms\n", grid, grid, box.width(), box.height(),
                    ms);
    }
    return 0;
}
