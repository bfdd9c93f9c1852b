#include "compose/CompositionRun.h"

#include "common/Error.h"
#include "compose/BackPlacement.h"
#include "compose/CellPlacer.h"
#include "compose/EntryOrder.h"
#include "compose/FillerPicture.h"
#include "compose/PageFiller.h"
#include "compose/PageGeometry.h"
#include "compose/Session.h"
#include "compose/SettingsCheck.h"

namespace pagula::compose
{

namespace
{

std::shared_ptr<document::Document> startNewDocument(Session& s, bool backSide)
{
    // The back's text area has the front's size, so the grid breaks follow from the front's
    // margins on both sides.
    const CompositionSettings& set = s.settings.now();
    DocumentMargins& m = s.margins;
    m = {set.marginLeft, set.marginRight, set.marginTop, set.marginBottom};
    PageMargins page = frontPageMargins(m.left, m.right, m.top, m.bottom);
    if (backSide) {
        const double gridWidth = set.columns * set.cellWidth * PointsPerMm;
        page = backPageMargins(page, gridWidth, set.backOffset);
    }
    return s.builder.beginDocument(QMarginsF(page.left, page.top, page.right, page.bottom));
}

// The ticked entries as they are now (ticks are read once per side), every other one from
// `first` on for a side of two-sided output.
joblist::JobEntries collectTicked(Session& s, int first)
{
    const joblist::JobEntries& ticked = s.settings.now().ticked;
    return first >= 0 ? alternateEntries(ticked, first) : ticked;
}

void run(Session& s, const CompositionRequest& request, CompositionResult& result)
{
    s.events.stageStarted(Stage::Preparing);
    writeFillerPicture(request.fillerPath);
    s.fillerEntry = joblist::JobEntry{request.fillerPath, 0};
    s.filler = s.pictureStep(pictureTask(s.fillerEntry, false, {}, s.settings.now()));

    if (!request.settings.twoSided) {
        result.documents.push_back({DocumentRole::Single, startNewDocument(s, false)});
        s.events.stageStarted(Stage::OneSided);
        joblist::JobEntries entries = collectTicked(s, -1);
        result.cancelled = fillPages(s, entries, false);
        return;
    }

    result.documents.push_back({DocumentRole::Front, startNewDocument(s, false)});
    s.events.stageStarted(Stage::Front);
    joblist::JobEntries entries = collectTicked(s, 0);
    const bool stopped = fillPages(s, entries, false);
    if (stopped || s.cancel.load()) {
        // A cancel ends the whole run: a back side built now could not match the front.
        result.cancelled = true;
        return;
    }

    s.events.stageStarted(Stage::Back);
    result.documents.push_back({DocumentRole::Back, startNewDocument(s, true)});
    entries = collectTicked(s, 1);
    padToWholeRows(entries, s.settings.now().columns);
    mirrorRows(entries, s.settings.now().columns);
    result.cancelled = fillPages(s, entries, true);
}

} // namespace

CompositionResult runComposition(const CompositionRequest& request,
                                 document::DocumentBuilder& builder, CompositionEvents& events,
                                 const std::atomic<bool>& cancel, const SettingsChannel* changes)
{
    CompositionResult result;
    // Settings that cannot make a page stop the run before anything is placed, with a message
    // naming the setting and what it must be.
    if (const auto problem = checkSettings(request.settings, request.settings.ticked)) {
        result.refused = true;
        result.failure = problem->userMessage;
        return result;
    }
    Session session{builder,
                    SettingsView(request.settings, changes),
                    events,
                    cancel,
                    request.pictureStep ? request.pictureStep : PictureStep(probePicture),
                    request.lookAhead,
                    {},
                    {},
                    {},
                    1};
    try {
        run(session, request, result);
    } catch (const common::Error& e) {
        result.failure = e.message();
    } catch (const std::exception& e) {
        result.failure = QString::fromLocal8Bit(e.what());
    }
    return result;
}

} // namespace pagula::compose
