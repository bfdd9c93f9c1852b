#pragma once

#include "joblist/JobEntry.h"

#include <functional>

namespace pagula::preview
{

// The items of the `navigateGroup` radio group.
enum class NavigateMode {
    AllInTurn = 0,  // "Все подряд": the neighbouring row
    ByCropType = 1, // "По типу обрезки": the nearest row with the same crop code
};

enum class NavigateDirection { Previous, Next };

// The row that previous/next moves to from `current`, or -1 when none qualifies (no current
// row, the first or last row, or no row in that direction with the same crop profile).
// Rows are compared by their crop profile only; ticks play no part.
int findNavigationTarget(int rowCount, int current, NavigateDirection direction, NavigateMode mode,
                         const std::function<joblist::JobEntry(int)>& entryAt);

} // namespace pagula::preview
