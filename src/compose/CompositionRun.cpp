#include "compose/CompositionRun.h"

#include "common/Error.h"
#include "compose/BackPlacement.h"
#include "compose/EntryOrder.h"
#include "compose/FillerPicture.h"
#include "compose/PageFiller.h"
#include "compose/PageGeometry.h"
#include "compose/SettingsCheck.h"

namespace pagula::compose
{

CompositionRun::CompositionRun(document::DocumentBuilder& builder, CompositionSettings& settings,
                               CompositionHost& host, ProgressDialog& dialog, QString fillerPath)
    : builder_(builder), settings_(settings), host_(host), dialog_(dialog),
      fillerPath_(std::move(fillerPath)), session_{builder, settings, host, dialog, {}, {}, 1}
{
}

QString CompositionRun::twoSidedMessage()
{
    return QStringLiteral("Были сформированы два документа: лицевая и обратная стороны.") +
           QChar(13) +
           QStringLiteral("Обратная сторона уже выровнена по лицевой: напечатайте обе стороны "
                          "на одних листах с переворотом по длинному краю, например командой "
                          "«Печать обеих сторон» в окне лицевой стороны.");
}

void CompositionRun::startNewDocument(bool backSide)
{
    // The back's text area has the front's size, so the grid breaks follow from the front's
    // margins on both sides.
    DocumentMargins& m = session_.margins;
    m = {settings_.marginLeft(), settings_.marginRight(), settings_.marginTop(),
         settings_.marginBottom()};
    PageMargins page = frontPageMargins(m.left, m.right, m.top, m.bottom);
    if (backSide) {
        const double gridWidth = settings_.columns() * settings_.cellWidth() * PointsPerMm;
        page = backPageMargins(page, gridWidth, settings_.backOffset());
    }
    builder_.beginDocument(QMarginsF(page.left, page.top, page.right, page.bottom));
}

void CompositionRun::collectTicked(joblist::JobEntries& entries, int keepFrom)
{
    entries = settings_.tickedEntries();
    if (keepFrom >= 0)
        entries = alternateEntries(entries, keepFrom);
}

void CompositionRun::handOverQuietly()
{
    try {
        builder_.handOver();
    } catch (const std::exception&) {
    }
}

void CompositionRun::generate()
{
    if (running_)
        return;
    // Settings that cannot make a page stop the run before anything is placed, with a message
    // naming the setting and what it must be; the layout panel itself accepts them.
    if (const auto problem = checkSettings(settings_, settings_.tickedEntries())) {
        host_.showMessage(problem->userMessage);
        return;
    }
    running_ = true;
    try {
        run();
    } catch (const common::Error& e) {
        dialog_.close();
        host_.showMessage(e.message());
        // What was placed stays; show it rather than leaving it out of sight.
        handOverQuietly();
    } catch (const std::exception& e) {
        dialog_.close();
        host_.showMessage(QString::fromLocal8Bit(e.what()));
        handOverQuietly();
    }
    running_ = false;
}

void CompositionRun::run()
{
    dialog_.setStatus(QStringLiteral("Подготовка..."));
    dialog_.show();
    dialog_.repaint();

    writeFillerPicture(fillerPath_);
    session_.fillerEntry = joblist::JobEntry{fillerPath_, 0};
    startNewDocument(false);

    joblist::JobEntries entries;
    if (!settings_.twoSided()) {
        dialog_.setStatus(QStringLiteral("Формирование..."));
        dialog_.repaint();
        collectTicked(entries, -1);
        fillPages(session_, entries, false);
        dialog_.close();
    } else {
        dialog_.setStatus(QStringLiteral("Формирование лицевой стороны..."));
        dialog_.repaint();
        collectTicked(entries, 0);
        fillPages(session_, entries, false);
        if (dialog_.cancelFlag() == CancelFlag::Cancelled) {
            // A cancel ends the whole run: a back side built now could not match the front.
            dialog_.close();
            entries.clear();
            builder_.handOver();
            host_.setProgressPosition(0);
            return;
        }

        dialog_.setStatus(QStringLiteral("Формирование обратной стороны..."));
        dialog_.show();
        dialog_.repaint();
        startNewDocument(true);
        entries.clear();
        collectTicked(entries, 1);
        padToWholeRows(entries, settings_.columns());
        mirrorRows(entries, settings_.columns());
        fillPages(session_, entries, true);
        dialog_.close();
        host_.showInformation(twoSidedMessage());
    }
    entries.clear();

    builder_.handOver();
    host_.setProgressPosition(0);
}

} // namespace pagula::compose
