#include "app/GenerationRun.h"

#include "app/GenerationProgressDialog.h"
#include "app/MessageBoxes.h"
#include "app/ProgressBar.h"
#include "app/WindowSettings.h"
#include "common/Paths.h"
#include "compose/SettingsCheck.h"
#include "layout/ui/LayoutPanel.h"
#include "widgets/ErrorReport.h"

#include <QCoreApplication>
#include <algorithm>

namespace pagula::app
{

GenerationRun::GenerationRun(WindowSettings& settings, GenerationProgressDialog& dialog,
                             ProgressBar& bar, layout::LayoutPanel& layout, QWidget& window)
    : QObject(&window), settings_(settings), dialog_(dialog), bar_(bar), layout_(layout),
      window_(window)
{
    connect(&dialog_, &GenerationProgressDialog::cancelled, this, [this] {
        if (worker_)
            worker_->cancel();
    });
}

GenerationRun::~GenerationRun()
{
    // A run still going stops within a picture; its documents are dropped.
    delete worker_.data();
}

QString GenerationRun::twoSidedMessage()
{
    return QCoreApplication::translate(
               "GenerationRun", "Были сформированы два документа: лицевая и обратная стороны.") +
           QChar(13) +
           QCoreApplication::translate(
               "GenerationRun",
               "Обратная сторона уже выровнена по лицевой: напечатайте обе стороны "
               "на одних листах с переворотом по длинному краю, например командой "
               "«Печать обеих сторон» в окне лицевой стороны.");
}

void GenerationRun::start()
{
    if (worker_)
        return;
    compose::CompositionRequest request;
    request.settings = settings_.read();
    request.fillerPath = common::fillerPicturePath();
    request.pictureStep = pictureStep_;
    // Settings that cannot make a page stop the run before anything is shown, with a message
    // naming the setting and what it must be; the layout panel itself accepts them.
    if (const auto problem = compose::checkSettings(request.settings, request.settings.ticked)) {
        MessageBoxes::show(&window_, MessageKind::Plain, problem->userMessage);
        return;
    }

    worker_ = new CompositionWorker(
        std::move(request), [this] { return settings_.read(); }, pacing_, this);
    connect(worker_, &CompositionWorker::stageStarted, this, &GenerationRun::showStage);
    connect(worker_, &CompositionWorker::progressRangeSet, this,
            [this](int maximum) { bar_.setRunRange(0, maximum); });
    connect(worker_, &CompositionWorker::progressed, this,
            [this](int position) { bar_.setRunPosition(position); });
    connect(worker_, &CompositionWorker::gutterSideMirrored, this,
            &GenerationRun::showMirroredGutterSide);
    connect(worker_, &CompositionWorker::finished, this,
            [this] { widgets::runGuarded(&window_, [this] { finish(); }); });

    emit started();
    dialog_.setStatus(QCoreApplication::translate("GenerationRun", "Подготовка..."));
    dialog_.showDialog(); // from hidden: arms its cancel flag
    dialog_.repaint();
    worker_->start();
}

void GenerationRun::showStage(compose::Stage stage)
{
    switch (stage) {
    case compose::Stage::Preparing:
        break;
    case compose::Stage::OneSided:
        dialog_.setStatus(QCoreApplication::translate("GenerationRun", "Формирование..."));
        break;
    case compose::Stage::Front:
        dialog_.setStatus(
            QCoreApplication::translate("GenerationRun", "Формирование лицевой стороны..."));
        break;
    case compose::Stage::Back:
        dialog_.setStatus(
            QCoreApplication::translate("GenerationRun", "Формирование обратной стороны..."));
        dialog_.showDialog(); // still up: its cancel flag stays as it is
        break;
    }
}

void GenerationRun::showMirroredGutterSide(bool mirrored)
{
    if (mirrored == gutterMirrored_)
        return;
    gutterMirrored_ = mirrored;
    settings_.setGutterShownMirrored(mirrored);
    // Only what the drop-down shows changes: it is no user's choice, so the layout handlers
    // do not run.
    layout_.showGutterSide(layout::mirroredGutterSide(layout_.gutterSide()));
}

void GenerationRun::finish()
{
    CompositionWorker* worker = worker_;
    if (!worker)
        return;
    const compose::CompositionResult result = worker->result();
    showMirroredGutterSide(false);
    dialog_.hide();
    const bool twoSided = std::any_of(
        result.documents.begin(), result.documents.end(),
        [](const compose::ComposedDocument& d) { return d.role == compose::DocumentRole::Back; });
    if (result.failure)
        MessageBoxes::show(&window_, MessageKind::Plain, *result.failure);
    else if (twoSided)
        MessageBoxes::show(&window_, MessageKind::Information, twoSidedMessage());
    // What was placed is shown, also after a failure, rather than left out of sight.
    emit documentsComposed(result.documents);
    if (!result.failure)
        bar_.setRunPosition(0);
    worker_ = nullptr;
    worker->deleteLater();
    emit finished();
}

} // namespace pagula::app
