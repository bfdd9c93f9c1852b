#pragma once

#include "compose/CompositionEvents.h"
#include "compose/CompositionSettings.h"
#include "compose/PictureStep.h"
#include "compose/SettingsChannel.h"
#include "document/Document.h"
#include "document/DocumentBuilder.h"

#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace pagula::compose
{

// What a run is asked to do.
struct CompositionRequest {
    // The settings as the run starts; two-sided output is decided by them once.
    CompositionSettings settings;
    // Where the white filler picture is written; the documents link to it.
    QString fillerPath;
    // The work done for each picture on the worker threads; probePicture when empty.
    PictureStep pictureStep;
    // How many pictures may be prepared ahead of the one placed; 0 for the pipeline's default.
    int lookAhead = 0;
};

// Single for one-sided output; a two-sided run makes a front and then a back.
enum class DocumentRole { Single, Front, Back };

struct ComposedDocument {
    DocumentRole role = DocumentRole::Single;
    std::shared_ptr<document::Document> document;
};

// What a run made, and how it ended.
struct CompositionResult {
    // The documents begun, in order. After a failure or a cancel they hold what was placed.
    std::vector<ComposedDocument> documents;
    // The message of the failure that ended the run early.
    std::optional<QString> failure;
    // The settings cannot make a page: the run stopped before anything was done, `failure`
    // says which setting and what it must be.
    bool refused = false;
    // The cancel flag ended the run before every entry was placed.
    bool cancelled = false;
};

// The generation behind "Сформировать документ" and pagula-compose: one document for one-sided
// output, or a front and a back document, built through the builder on the calling thread
// while the pictures are prepared on worker threads. Reports go to `events` as the run goes;
// `cancel` may be set from any thread (a button, a signal handler) and stops the walk after
// the entry in progress. When `changes` is given, settings published there while the run goes
// apply from the next cell on (pictures already prepared keep their values). Never throws:
// failures end up in the result.
CompositionResult runComposition(const CompositionRequest& request,
                                 document::DocumentBuilder& builder, CompositionEvents& events,
                                 const std::atomic<bool>& cancel,
                                 const SettingsChannel* changes = nullptr);

} // namespace pagula::compose
