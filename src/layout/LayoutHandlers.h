#pragma once

#include "layout/LayoutControls.h"
#include "layout/LayoutSettings.h"

#include <QString>
#include <exception>
#include <functional>

namespace pagula::layout
{

// The change handlers of the layout controls and the settings they cache.
//
// Handlers nest: a text written by a handler runs the edit's handler inside the write. A
// failure (a text that does not read as a number) ends the handler it happens in and every
// handler it is nested in, and is reported once, when the outermost run has ended. Nothing is
// ever thrown out of a handler entry point, so the toolkit's signal code never sees an
// exception.
class LayoutHandlers
{
public:
    using ErrorSink = std::function<void(const QString& message)>;
    // Tells which handler starts and how deep it is nested (0 for one the toolkit fired).
    using Trace = std::function<void(const char* handler, int depth)>;

    LayoutHandlers(LayoutControls& controls, ErrorSink reportError);

    const LayoutSettings& settings() const { return settings_; }

    // Grid and margins changed: re-reads them, recomputes both maxima, clamps, redraws.
    void onGridOrMarginsEdited();
    // A chosen size, the gutter or a drawing option changed: re-reads, clamps, redraws.
    void onCellSizeEdited();
    // A step arrow: senderTag 0 steps the width (cellWidthEdit), any other the height
    // (cellHeightEdit).
    void stepCellSize(int senderTag, bool upArrow);
    // Copy the largest size into the chosen size's edit; that edit's change does the rest.
    void takeMaxCellWidth();
    void takeMaxCellHeight();

    void setTrace(Trace trace) { trace_ = std::move(trace); }

private:
    template <class Body> void run(const char* name, Body&& body);
    // Writes an edit; if the handler that the write ran failed, this handler ends too.
    void write(LayoutEdit edit, const QString& text);
    int readInt(LayoutEdit edit) const;
    double readFloat(LayoutEdit edit) const;

    LayoutControls& controls_;
    ErrorSink reportError_;
    Trace trace_;
    LayoutSettings settings_;
    int depth_ = 0;
    std::exception_ptr failure_;
};

} // namespace pagula::layout
