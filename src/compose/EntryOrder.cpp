#include "compose/EntryOrder.h"

#include <utility>

namespace pagula::compose
{

JobEntries alternateEntries(const JobEntries& entries, int first)
{
    JobEntries kept;
    kept.reserve(entries.size() / 2 + 1);
    for (qsizetype p = first; p < entries.size(); p += 2)
        kept.append(entries.at(p));
    return kept;
}

void padToWholeRows(JobEntries& entries, int columns)
{
    if (columns <= 0)
        return;
    while (entries.size() % columns != 0)
        entries.append(joblist::JobEntry::blank());
}

void mirrorRows(JobEntries& entries, int columns)
{
    if (columns <= 0)
        return;
    const qsizetype rowCount = entries.size() / columns;
    for (qsizetype b = 0; b < rowCount; ++b)
        for (int k = 0; k < columns / 2; ++k)
            entries.swapItemsAt(b * columns + k, b * columns + columns - 1 - k);
}

} // namespace pagula::compose
