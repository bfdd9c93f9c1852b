#pragma once

#include "joblist/JobEntry.h"

#include <QString>
#include <QStringList>

namespace pagula::compose {

using joblist::BlankMarker;

// Keeps the entries at positions first, first + 2, first + 4, ... (first 0 for the front side,
// 1 for the back side).
QStringList alternateEntries(const QStringList& entries, int first);

// Appends BlankMarker until the count is a multiple of columns (whole rows, never whole pages).
void padToWholeRows(QStringList& entries, int columns);

// Reverses every whole row of `columns` entries, so each back picture lies behind its front
// picture when the sheet is turned over about its long edge.
void mirrorRows(QStringList& entries, int columns);

} // namespace pagula::compose
