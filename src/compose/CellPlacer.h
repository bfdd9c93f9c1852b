#pragma once

#include "compose/Session.h"
#include "document/DocumentBuilder.h"

namespace pagula::compose
{

using CellEdges = document::CellEdges;

// placeCell: adds the entry's picture as the next cell: for a picture cell with the
// adjustments and the crop of its crop profile, for every cell with the requested frame edges
// (when "Рамка вокруг рисунков" is ticked) and the exact cell size. Then advances CellNumber
// and the progress bar and lets the GUI process pending events. Builder failures propagate;
// the cells placed before stay.
void placeCell(Session& session, const joblist::JobEntry& entry, bool isPicture, double width,
               double height, const CellEdges& edges);

} // namespace pagula::compose
