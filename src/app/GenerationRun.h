#pragma once

#include "app/CompositionWorker.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout

namespace pagula::app
{

class GenerationProgressDialog;
class ProgressBar;
class WindowSettings;

// "Сформировать документ" as the main window shows it: the progress dialog with its stage
// texts and "Отмена", the progress bar, the gutter drop-down showing the mirrored side while
// the back side is built, and at the end the run's message and its documents. The run itself
// works on a thread of its own and reports back here.
class GenerationRun : public QObject
{
    Q_OBJECT
public:
    GenerationRun(WindowSettings& settings, GenerationProgressDialog& dialog, ProgressBar& bar,
                  layout::LayoutPanel& layout, QWidget& window);
    ~GenerationRun() override;

    // Starts a run from the window's settings as they are now. Settings that cannot make a
    // page are named in a message box instead. Ignored while a run is going.
    void start();
    // From start() until the run's documents have been handed on.
    bool isRunning() const { return worker_ != nullptr; }

    void setPacing(CompositionWorker::Pacing pacing) { pacing_ = pacing; }
    // The work done for each picture on the worker threads; compose::probePicture when empty.
    void setPictureStep(compose::PictureStep step) { pictureStep_ = std::move(step); }

    // The message after a two-sided run.
    static QString twoSidedMessage();

signals:
    void started();
    // The documents of the run, in the order made; also what was placed before a failure.
    void documentsComposed(const std::vector<compose::ComposedDocument>& documents);
    void finished();

private:
    void showStage(compose::Stage stage);
    void showMirroredGutterSide(bool mirrored);
    void finish();

    WindowSettings& settings_;
    GenerationProgressDialog& dialog_;
    ProgressBar& bar_;
    layout::LayoutPanel& layout_;
    QWidget& window_;
    CompositionWorker::Pacing pacing_ = CompositionWorker::Pacing::Free;
    compose::PictureStep pictureStep_;
    QPointer<CompositionWorker> worker_;
    bool gutterMirrored_ = false;
};

} // namespace pagula::app
