#pragma once

#include "compose/Session.h"

namespace pagula::compose
{

// Lays the entries of one side out in the current document as a grid of Columns
// cells per row and Rows rows per page. Every cell holds its picture and, with a gutter, its
// strip of white fillers on the gutter side; neighbouring cells share single frame lines; each
// row ends with a paragraph mark. Blank entries are replaced by the filler entry in the list.
// The pictures are prepared on worker threads ahead of the walk. The walk stops after the entry
// in progress once the cancel flag is set, and then returns true when entries were left out.
// For the back side the gutter side is mirrored left/right during the walk, which is reported
// as it begins and ends, also when a failure ends it.
bool fillPages(Session& session, joblist::JobEntries& entries, bool backSide);

// Where the chosen cell is smaller than the largest that fits, a word processor's flow would
// put a gutter strip row and its picture row on one line, or more than Rows rows on a page.
// These tell where the walk adds a line break or a page break to keep the grid.
struct GridBreaks {
    bool lineBreakAfterStripRow = false; // top/bottom gutters: strip and picture rows apart
    bool pageBreakAfterRows = false;     // a further row would still start on the page
};
GridBreaks gridBreaks(int columns, int rows, GutterSide gutterSide, bool gutterOn,
                      double cellWidthPt, double cellHeightPt, double gutterPt,
                      const DocumentMargins& margins);

} // namespace pagula::compose
