#pragma once

#include "compose/CompositionEvents.h"
#include "compose/PictureStep.h"
#include "compose/SettingsChannel.h"
#include "document/DocumentBuilder.h"
#include "joblist/JobEntry.h"

#include <atomic>

namespace pagula::compose
{

// Page margins in whole millimetres, as the current document was given them.
struct DocumentMargins {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Everything the walks of one run work with: the builder of the current document, the settings
// as they stand at each step, where progress is reported, the cancel flag, the work done per
// picture, the filler picture, and CellNumber, the 1-based number of the next cell of the side.
struct Session {
    document::DocumentBuilder& builder;
    SettingsView settings;
    CompositionEvents& events;
    const std::atomic<bool>& cancel;
    PictureStep pictureStep;
    int lookAhead = 0; // pictures prepared ahead of the walk; 0 for the pipeline's default
    joblist::JobEntry fillerEntry;
    PreparedPicture filler; // the filler picture as gutter strips take it
    DocumentMargins margins;
    int cellNumber = 1;
};

} // namespace pagula::compose
