#include "preview/Navigation.h"

namespace pagula::preview {

namespace {
// An empty entry has no crop character; it matches other empty entries only.
QChar cropCharacter(const QString& entry)
{
    return entry.isEmpty() ? QChar() : entry.back();
}
} // namespace

int findNavigationTarget(int rowCount, int current, NavigateDirection direction, NavigateMode mode,
                         const std::function<QString(int)>& entryAt)
{
    if (current < 0 || current >= rowCount)
        return -1;
    const int step = direction == NavigateDirection::Next ? 1 : -1;
    if (mode == NavigateMode::AllInTurn) {
        const int row = current + step;
        return row >= 0 && row < rowCount ? row : -1;
    }
    const QChar code = cropCharacter(entryAt(current));
    for (int row = current + step; row >= 0 && row < rowCount; row += step) {
        if (cropCharacter(entryAt(row)) == code)
            return row;
    }
    return -1;
}

} // namespace pagula::preview
