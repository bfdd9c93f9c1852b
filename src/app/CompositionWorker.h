#pragma once

#include "compose/CompositionRun.h"
#include "compose/SettingsChannel.h"

#include <QObject>
#include <QSemaphore>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace pagula::app
{

// One composition run on a thread of its own, so that no picture holds up the window. The
// settings go in as values; the run's reports come back as signals on the window's thread, and
// its result at the end. Each time a report has been handled on the window's thread (with
// whatever its handlers posted), the window's current settings are passed on to the run, so a
// change the user makes applies from the next cell on.
class CompositionWorker : public QObject
{
    Q_OBJECT
public:
    enum class Pacing {
        // The run goes as fast as it can; progress reports are merged while the window is busy.
        Free,
        // The run places its next cell only after the window has handled the report of the
        // last one: one cell per event pass, as when a run pumped events between cells. Tests
        // use it to act between given cells.
        EventPass,
    };
    // Reads the window's settings; called on the window's thread.
    using SettingsSource = std::function<compose::CompositionSettings()>;

    CompositionWorker(compose::CompositionRequest request, SettingsSource settings, Pacing pacing,
                      QObject* parent = nullptr);
    // Cancels a run still going and waits for it: it stops within a picture.
    ~CompositionWorker() override;

    void start();
    // Thread-safe; the run stops after the entry in progress.
    void cancel();
    // The run's result, once finished() has been emitted.
    const compose::CompositionResult& result() const { return result_; }

signals:
    void stageStarted(compose::Stage stage);
    void progressRangeSet(int maximum);
    void progressed(int position);
    void gutterSideMirrored(bool mirrored);
    void finished();

private:
    class Reports;
    void deliver(std::function<void()> report);
    void passSettingsOn();

    compose::CompositionRequest request_;
    SettingsSource settings_;
    Pacing pacing_;
    compose::SettingsChannel channel_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> closing_{false};
    QSemaphore resume_;
    std::atomic<int> position_{0};
    std::atomic<bool> positionPending_{false};
    std::unique_ptr<Reports> reports_;
    QThread* thread_ = nullptr;
    compose::CompositionResult result_;
};

} // namespace pagula::app
