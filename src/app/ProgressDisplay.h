#pragma once

namespace pagula::app
{

// What the progress bar shows for the range and position a run gives it. The run counts the
// picture it is about to place, so its position passes the maximum at the end: such positions
// show as full. An empty range (a run without entries) shows an empty bar rather than the busy
// animation a toolkit bar uses for it.
struct ProgressDisplay {
    int minimum = 0;
    int maximum = 0;
    int value = 0;

    bool operator==(const ProgressDisplay& o) const
    {
        return minimum == o.minimum && maximum == o.maximum && value == o.value;
    }
};

ProgressDisplay progressDisplay(int minimum, int maximum, int position);

} // namespace pagula::app
