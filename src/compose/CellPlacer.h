#pragma once

#include "compose/Session.h"

namespace pagula::compose {

// Which frame edges a cell draws.
struct CellEdges {
    bool top = false;
    bool left = false;
    bool bottom = false;
    bool right = false;
};

// Inserts the entry's picture, linked, at the end of the document and gives it its
// final form: for a picture cell the adjustments and the crop of its crop code, for every cell
// the requested frame edges (when "Рамка вокруг рисунков" is ticked) and the exact cell size.
// Then advances CellNumber and the progress bar and lets the GUI process pending events.
// Engine failures propagate; a picture inserted before a failure stays.
void placeCell(Session& session, const QString& entry, bool isPicture, double width, double height,
               const CellEdges& edges);

} // namespace pagula::compose
