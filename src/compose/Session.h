#pragma once

#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "document/DocumentBuilder.h"
#include "joblist/JobEntry.h"

namespace pagula::compose
{

// Page margins in whole millimetres, as the current document was given them.
struct DocumentMargins {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Everything one walk works with: the builder of the current document, the live settings, the
// host's progress bar and event pump, the progress dialog's cancel flag, and CellNumber, the
// 1-based number of the next cell of the side.
struct Session {
    document::DocumentBuilder& builder;
    CompositionSettings& settings;
    CompositionHost& host;
    ProgressDialog& dialog;
    joblist::JobEntry fillerEntry;
    DocumentMargins margins;
    int cellNumber = 1;
};

} // namespace pagula::compose
