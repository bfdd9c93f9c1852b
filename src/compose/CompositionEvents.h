#pragma once

namespace pagula::compose
{

// The stages of a run, in the order they can come: preparation, then either the one side or
// the front and the back side.
enum class Stage { Preparing, OneSided, Front, Back };

// What a run reports while it works, on the thread that runs it. The window hands the reports
// to its own thread and shows them; the batch command prints them; each overrides what it
// shows. Nothing here may wait for the user.
class CompositionEvents
{
public:
    virtual ~CompositionEvents() = default;

    virtual void stageStarted(Stage) {}
    // A side's walk begins: progress 0 of `maximum` (the entries, twice that with a gutter).
    virtual void progressRangeSet(int /*maximum*/) {}
    // 0 as a walk begins, then after each cell the number of cells placed plus one: positions
    // pass the maximum at the end, which shows as full.
    virtual void progressed(int /*position*/) {}
    // The back side's walk mirrors the gutter side left <-> right while it runs (true) and
    // ends the mirroring as it ends, also after a failure (false).
    virtual void gutterSideMirrored(bool /*mirrored*/) {}
};

} // namespace pagula::compose
