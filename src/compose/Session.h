#pragma once

#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "document/Engine.h"

#include <QString>

namespace pagula::compose {

// Page margins in whole millimetres, as the current document was given them.
struct DocumentMargins {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Everything one walk works with: the engine holding the current document and its insertion
// range, the live settings, the host's progress bar and event pump, the progress dialog's
// cancel flag, and CellNumber, the 1-based number the next inline picture will have.
struct Session {
    document::Engine& engine;
    CompositionSettings& settings;
    CompositionHost& host;
    ProgressDialog& dialog;
    QString fillerEntry;
    DocumentMargins margins;
    int cellNumber = 1;

    // Collapses the insertion range to the end of the document (its end read twice, as the
    // automation model needs the value for both bounds).
    void collapseToEnd()
    {
        const int start = engine.rangeEnd();
        const int end = engine.rangeEnd();
        engine.setRange(start, end);
    }

    // Inserts control text (a paragraph mark, line or page break) and collapses behind it.
    void insertMark(char16_t mark)
    {
        engine.insertAfter(QString(QChar(mark)));
        collapseToEnd();
    }
};

} // namespace pagula::compose
