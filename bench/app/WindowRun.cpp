// The generation as the main window runs it, on 300 job list entries of A4 scans (30 scans of
// 2480 x 3508, each listed ten times), 3 x 3 with the start settings, twice: with the program's
// work per picture (its header read), and with each picture also decoded and reduced to its
// cell at 300 dpi on the worker threads (the load that preparing pictures for their cells
// brings). Each time:
//  - how long the window's event loop goes without turning while a run goes (a timer asks
//    every 5 ms) and how often the progress bar repaints; target: the window answers within
//    100 ms;
//  - the time from "Отмена" to the end of the run; target: within 100 ms;
//  - the window's run beside the batch command's composition of the same entries in process
//    (the same run on the calling thread, no window), in turn, three rounds; target: at most
//    1.2 x.
// Document windows are stood in for by plain windows, so only the run itself is measured.
//   bench_window [work folder]
#include "app/GenerationProgressDialog.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "app/ProgressBar.h"
#include "common/Paths.h"
#include "common/Scans.h"
#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"
#include "document/PicturePreparation.h"
#include "imaging/GreyReduction.h"
#include "imaging/ImageIO.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "widgets/GradientButton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pagula;

namespace
{

constexpr int Entries = 300;
constexpr int DistinctScans = 30;

// The longest stretch between two turns of the event loop, and the progress bar's repaints,
// while it runs.
class LoopWatch : public QObject
{
public:
    explicit LoopWatch(QWidget* painted)
    {
        painted->installEventFilter(this);
        ticks_.setInterval(5);
        connect(&ticks_, &QTimer::timeout, this, [this] { tick(); });
    }
    void start()
    {
        longestGapMs_ = 0.0;
        paints_ = 0;
        clock_.start();
        lastTickNs_ = clock_.nsecsElapsed();
        ticks_.start();
    }
    void stop() { ticks_.stop(); }
    double longestGapMs() const { return longestGapMs_; }
    int paints() const { return paints_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && ticks_.isActive())
            ++paints_;
        return false;
    }

private:
    void tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        longestGapMs_ = std::max(longestGapMs_, (now - lastTickNs_) / 1e6);
        lastTickNs_ = now;
    }

    QTimer ticks_;
    QElapsedTimer clock_;
    qint64 lastTickNs_ = 0;
    double longestGapMs_ = 0.0;
    int paints_ = 0;
};

struct WindowRun {
    double seconds = 0.0;
    double longestGapMs = 0.0;
    int paints = 0;
    double cancelToEndMs = -1.0;
};

// Presses "Сформировать документ" and turns the event loop until the run has handed its
// documents on. With cancelAt > 0, presses "Отмена" once the progress bar reaches it.
WindowRun runInWindow(app::Program& program, LoopWatch& watch, int cancelAt = 0)
{
    app::MainWindow& main = program.mainWindow();
    QEventLoop loop;
    const auto finished =
        QObject::connect(&main, &app::MainWindow::generationFinished, &loop, &QEventLoop::quit);
    QElapsedTimer sinceCancel;
    QMetaObject::Connection cancel;
    if (cancelAt > 0)
        cancel = QObject::connect(main.progressBar(), &QProgressBar::valueChanged, &loop,
                                  [&](int value) {
                                      if (value < cancelAt || sinceCancel.isValid())
                                          return;
                                      sinceCancel.start();
                                      program.progressDialog().cancelButton()->click();
                                  });
    WindowRun run;
    QElapsedTimer clock;
    clock.start();
    watch.start();
    main.generateButton()->click();
    loop.exec();
    watch.stop();
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.longestGapMs = watch.longestGapMs();
    run.paints = watch.paints();
    if (sinceCancel.isValid())
        run.cancelToEndMs = sinceCancel.nsecsElapsed() / 1e6;
    QObject::disconnect(finished);
    QObject::disconnect(cancel);
    // The stand-in document windows go, so that every run starts alike.
    for (const app::Program::ShownDocument& shown : program.shownDocuments())
        if (shown.window)
            shown.window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return run;
}

// The same entries composed as pagula-compose composes them before it writes: on this thread,
// the settings fixed, no window.
double runAsBatch(const joblist::JobEntries& entries, const compose::PictureStep& step)
{
    compose::CompositionRequest request;
    request.settings.ticked = entries;
    request.fillerPath = common::fillerPicturePath();
    request.pictureStep = step;
    compose::CompositionEvents quiet;
    const std::atomic<bool> cancel{false};
    document::BuiltinDocumentBuilder builder;
    QElapsedTimer clock;
    clock.start();
    const compose::CompositionResult result =
        compose::runComposition(request, builder, quiet, cancel);
    if (result.failure)
        std::printf("batch composition failed: %s\n", qPrintable(*result.failure));
    return clock.nsecsElapsed() / 1e9;
}

// The header read, then the picture decoded at the size of its cell at 300 dpi and reduced to
// it, as a grey cell would be.
compose::PreparedPicture decodedForItsCell(const compose::PictureTask& task)
{
    compose::PreparedPicture prepared = compose::probePicture(task);
    if (prepared.failure || task.cellSize.isEmpty())
        return prepared;
    const QSize cell = document::boxPixels(task.cellSize, 300.0);
    imaging::DecodeRequest request;
    request.atLeast = cell;
    request.luminanceOnly = true;
    try {
        const QImage picture = imaging::decodeFile(task.path, request);
        imaging::reduceGrey(picture, cell.boundedTo(picture.size()));
    } catch (const std::exception&) {
        // The run itself reports what cannot be read.
    }
    return prepared;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pagula"));
    const QStringList args = QCoreApplication::arguments();
    const QString folder =
        args.size() > 1 ? args[1] : QDir::temp().filePath("pagula-bench-compose");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    std::printf("making %d scans in %s (kept for later runs)...\n", DistinctScans,
                qPrintable(folder));
    const QStringList scans = bench::ensureScans(folder, DistinctScans);
    joblist::JobEntries entries;
    for (int i = 0; i < Entries; ++i)
        entries.append(joblist::JobEntry{scans[i % DistinctScans], 0});

    app::MessageBoxes::setHook([](app::MessageKind, const QString& text) {
        std::printf("message: %s\n", qPrintable(text));
    });
    app::Program program([] {},
                         [](std::shared_ptr<document::Document>, const QString&) {
                             auto* standIn = new QWidget;
                             standIn->setAttribute(Qt::WA_DeleteOnClose);
                             return standIn;
                         });
    program.start();
    joblist::JobListModel* list = program.mainWindow().jobList()->model();
    list->replaceEntries(entries);
    list->tickAll();
    LoopWatch watch(program.mainWindow().progressBar());
    // The window is up and painted before the first press, as a user sees it.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    const auto verdict = [](bool held) { return held ? "holds" : "missed"; };
    const struct {
        const char* name;
        compose::PictureStep step;
    } loads[] = {
        {"the program's work per picture (its header read)", compose::probePicture},
        {"each picture also decoded and reduced to its cell", decodedForItsCell},
    };
    for (const auto& load : loads) {
        program.mainWindow().setPictureStep(load.step);
        std::printf("\n%d entries, 3 x 3, left gutter, %s: the window's run and the batch "
                    "command's composition in turn\n",
                    Entries, load.name);
        runAsBatch(entries, load.step); // the files in the page cache for both
        std::vector<double> windowSeconds, batchSeconds;
        double longestGap = 0.0;
        for (int round = 0; round < 3; ++round) {
            const WindowRun w = runInWindow(program, watch);
            const double b = runAsBatch(entries, load.step);
            windowSeconds.push_back(w.seconds);
            batchSeconds.push_back(b);
            longestGap = std::max(longestGap, w.longestGapMs);
            std::printf("  round %d: window %.3f s (event loop at most %.1f ms without a turn, "
                        "progress bar painted %d times), batch %.3f s\n",
                        round + 1, w.seconds, w.longestGapMs, w.paints, b);
        }
        const WindowRun cancelled = runInWindow(program, watch, Entries / 3);
        const double ratio = median(windowSeconds) / median(batchSeconds);
        std::printf("  the window's run / the batch command's: %.2f (target at most 1.2: %s)\n",
                    ratio, verdict(ratio <= 1.2));
        std::printf("  event loop without a turn during a run: at most %.1f ms (target at most "
                    "100: %s)\n",
                    longestGap, verdict(longestGap <= 100.0));
        std::printf("  \"Отмена\" to the end of the run: %.1f ms, event loop at most %.1f ms "
                    "without a turn (target at most 100: %s)\n",
                    cancelled.cancelToEndMs, cancelled.longestGapMs,
                    verdict(cancelled.cancelToEndMs <= 100.0 && cancelled.longestGapMs <= 100.0));
    }
    app::MessageBoxes::setHook({});
    return 0;
}
