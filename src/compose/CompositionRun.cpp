#include "compose/CompositionRun.h"

#include "common/Error.h"
#include "compose/BackPlacement.h"
#include "compose/EntryOrder.h"
#include "compose/FillerPicture.h"
#include "compose/PageFiller.h"
#include "compose/PageGeometry.h"

namespace pagula::compose {

CompositionRun::CompositionRun(document::Engine& engine, CompositionSettings& settings,
                               CompositionHost& host, ProgressDialog& dialog, QString fillerPath)
    : engine_(engine), settings_(settings), host_(host), dialog_(dialog),
      fillerPath_(std::move(fillerPath)), session_{engine, settings, host, dialog, {}, {}, 1}
{
}

QString CompositionRun::engineStartFailureText()
{
    return QStringLiteral("Должен быть установлен Word 97.");
}

QString CompositionRun::twoSidedMessage()
{
    return QStringLiteral("Были сформированы два документа: лицевая и обратная стороны.") +
           QChar(13) +
           QStringLiteral("Обратная сторона уже выровнена по лицевой: напечатайте обе стороны "
                          "на одних листах с переворотом по длинному краю, например командой "
                          "«Печать обеих сторон» в окне лицевой стороны.");
}

void CompositionRun::startEngine()
{
    try {
        engine_.connect();
        engine_.disableOptions();
        engine_.setCaption(QStringLiteral("Pagula"));
    } catch (const std::exception&) {
        host_.showError(engineStartFailureText());
    }
}

void CompositionRun::startNewDocument(bool backSide)
{
    engine_.addDocument();
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
    engine_.setTopMargin(float(page.top));
    engine_.setLeftMargin(float(page.left));
    engine_.setBottomMargin(float(page.bottom));
    engine_.setRightMargin(float(page.right));
    engine_.selectWholeDocument();
    session_.collapseToEnd();
}

void CompositionRun::collectTicked(QStringList& entries, int keepFrom)
{
    entries = settings_.tickedEntries();
    if (keepFrom >= 0)
        entries = alternateEntries(entries, keepFrom);
}

void CompositionRun::generate()
{
    if (running_)
        return;
    running_ = true;
    try {
        run();
    } catch (const Error& e) {
        dialog_.close();
        host_.showMessage(e.message());
        // What was placed stays; show it rather than leaving it out of sight.
        try {
            engine_.showAndActivate();
            engine_.releaseApplication();
        } catch (const std::exception&) {
        }
    } catch (const std::exception& e) {
        dialog_.close();
        host_.showMessage(QString::fromLocal8Bit(e.what()));
        try {
            engine_.showAndActivate();
            engine_.releaseApplication();
        } catch (const std::exception&) {
        }
    }
    running_ = false;
}

void CompositionRun::run()
{
    dialog_.setStatus(QStringLiteral("Подготовка..."));
    dialog_.show();
    dialog_.repaint();

    startEngine();
    writeFillerPicture(fillerPath_);
    session_.fillerEntry = fillerPath_ + QLatin1Char('0');
    startNewDocument(false);

    QStringList entries;
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
            engine_.releaseDocument();
            engine_.showAndActivate();
            engine_.releaseApplication();
            host_.setProgressPosition(0);
            return;
        }
        engine_.releaseDocument();
        engine_.releaseApplication();

        dialog_.setStatus(QStringLiteral("Формирование обратной стороны..."));
        dialog_.show();
        dialog_.repaint();
        startEngine();
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

    engine_.releaseDocument();
    engine_.showAndActivate();
    engine_.releaseApplication();
    host_.setProgressPosition(0);
}

} // namespace pagula::compose
