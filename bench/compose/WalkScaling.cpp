#include "WalkScaling.h"

#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

namespace pagula::bench
{

using namespace pagula::compose;

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
    QElapsedTimer timer;
    timer.start();
    const CompositionResult result = runComposition(request, builder, quiet, cancel);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (result.failure) {
        std::printf("  %6d entries: failed: %s\n", count, qPrintable(*result.failure));
        return -1.0;
    }
    return seconds;
}

void reportWalkScaling(const QString& folder)
{
    std::printf("composition walk in process (3 x 3, left gutter; target: 20,000 entries at "
                "most about 10 x the time of 2,000)\n");
    const double small = composeSeconds(folder, 2000);
    const double large = composeSeconds(folder, 20000);
    if (small > 0)
        std::printf("   2000 entries: %7.3f s\n", small);
    if (large > 0)
        std::printf("  20000 entries: %7.3f s\n", large);
    if (small > 0 && large > 0)
        std::printf("  ratio: %.1f\n", large / small);
}

} // namespace pagula::bench
