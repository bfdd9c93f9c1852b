#pragma once

#include "joblist/JobEntry.h"

namespace pagula::compose
{

using joblist::JobEntries;

// Keeps the entries at positions first, first + 2, first + 4, ... (first 0 for the front side,
// 1 for the back side).
JobEntries alternateEntries(const JobEntries& entries, int first);

// Appends blank entries until the count is a multiple of columns (whole rows, never whole pages).
void padToWholeRows(JobEntries& entries, int columns);

// Reverses every whole row of `columns` entries, so each back picture lies behind its front
// picture when the sheet is turned over about its long edge.
void mirrorRows(JobEntries& entries, int columns);

} // namespace pagula::compose
