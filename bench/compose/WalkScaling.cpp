#include "WalkScaling.h"

#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"

#include <QDir>
#include <QImage>

#include <cstdio>
#include <sys/resource.h>

namespace pagula::bench
{

using namespace pagula::compose;

namespace
{

// Processor time of the whole process, every thread: the walk's and the pool's.
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

} // namespace

double composeSeconds(const QString& folder, int count)
{
    QDir().mkpath(folder);
    const QString picture = QDir(folder).filePath(QStringLiteral("walk-cell.png"));
    if (!QFileInfo::exists(picture)) {
        QImage image(240, 320, QImage::Format_RGB32);
        image.fill(Qt::gray);
        image.save(picture, "PNG");
    }
    // The window's start values, with both crop profiles at 5 %.
    CompositionRequest request;
    request.settings.profile1 = request.settings.profile2 = {5, 5, 5, 5};
    for (int i = 0; i < count; ++i)
        request.settings.ticked.append(joblist::JobEntry{picture, i % 2});
    request.fillerPath = QDir(folder).filePath(QStringLiteral("Pagula-tmp.bmp"));
    CompositionEvents quiet;
    const std::atomic<bool> cancel{false};
    document::BuiltinDocumentBuilder builder;
    const double start = processCpuSeconds();
    const CompositionResult result = runComposition(request, builder, quiet, cancel);
    const double seconds = processCpuSeconds() - start;
    if (result.failure) {
        std::printf("  %6d entries: failed: %s\n", count, qPrintable(*result.failure));
        return -1.0;
    }
    return seconds;
}

void reportWalkScaling(const QString& folder)
{
    std::printf("composition walk in process (3 x 3, left gutter), processor time, best of 5 runs "
                "taken in turn; target: 20,000 entries at most 12 x the time of 2,000\n");
    composeSeconds(folder, 200); // warms the caches and the pool
    double small = -1.0, large = -1.0;
    for (int round = 0; round < 5; ++round) {
        const double s = composeSeconds(folder, 2000);
        const double l = composeSeconds(folder, 20000);
        if (s > 0 && (small < 0 || s < small))
            small = s;
        if (l > 0 && (large < 0 || l < large))
            large = l;
    }
    if (small > 0)
        std::printf("   2000 entries: %7.3f s\n", small);
    if (large > 0)
        std::printf("  20000 entries: %7.3f s\n", large);
    if (small > 0 && large > 0)
        std::printf("  ratio: %.1f (%s)\n", large / small,
                    large / small <= 12.0 ? "holds" : "missed");
}

} // namespace pagula::bench
