#include "WalkScaling.h"

#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

namespace pagula::bench
{

namespace
{

using namespace pagula::compose;

struct DefaultSettings : CompositionSettings {
    joblist::JobEntries entries;
    GutterSide side = GutterSide::Left;

    bool twoSided() override { return false; }
    joblist::JobEntries tickedEntries() override { return entries; }
    int columns() override { return 3; }
    int rows() override { return 3; }
    double cellWidth() override { return 64.3; }
    double cellHeight() override { return 90.0; }
    int marginLeft() override { return 7; }
    int marginRight() override { return 10; }
    int marginTop() override { return 7; }
    int marginBottom() override { return 20; }
    int gutterSize() override { return 6; }
    QPointF backOffset() override { return {}; }
    GutterSide gutterSide() override { return side; }
    void setGutterSide(GutterSide s) override { side = s; }
    int brightness() override { return 50; }
    int contrast() override { return 50; }
    document::ColorType colorType() override { return document::ColorType::Greyscale; }
    bool frame() override { return true; }
    CropProfile cropProfile(int) override { return {5, 5, 5, 5}; }
};

struct QuietHost : CompositionHost {
    QString failure;
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}
    void repaintProgress() override {}
    void processEvents() override {}
    void showError(const QString& t) override { failure = t; }
    void showMessage(const QString& t) override { failure = t; }
    void showInformation(const QString&) override {}
};

struct QuietDialog : ProgressDialog {
    CancelFlag flag;
    void setStatus(const QString&) override {}
    void show() override { flag.shown(false); }
    void close() override {}
    void repaint() override {}
    int cancelFlag() const override { return flag.value(); }
};

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
    DefaultSettings settings;
    for (int i = 0; i < count; ++i)
        settings.entries.append(joblist::JobEntry{picture, i % 2});
    QuietHost host;
    QuietDialog dialog;
    document::BuiltinDocumentBuilder builder;
    CompositionRun run(builder, settings, host, dialog,
                       QDir(folder).filePath(QStringLiteral("Pagula-tmp.bmp")));
    QElapsedTimer timer;
    timer.start();
    run.generate();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!host.failure.isEmpty()) {
        std::printf("  %6d entries: failed: %s\n", count, qPrintable(host.failure));
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
