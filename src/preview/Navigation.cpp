#include "preview/Navigation.h"

namespace pagula::preview
{

int findNavigationTarget(int rowCount, int current, NavigateDirection direction, NavigateMode mode,
                         const std::function<joblist::JobEntry(int)>& entryAt)
{
    if (current < 0 || current >= rowCount)
        return -1;
    const int step = direction == NavigateDirection::Next ? 1 : -1;
    if (mode == NavigateMode::AllInTurn) {
        const int row = current + step;
        return row >= 0 && row < rowCount ? row : -1;
    }
    const int profile = entryAt(current).cropProfile;
    for (int row = current + step; row >= 0 && row < rowCount; row += step) {
        if (entryAt(row).cropProfile == profile)
            return row;
    }
    return -1;
}

} // namespace pagula::preview
