#pragma once

#include "compose/Session.h"
#include "document/DocumentBuilder.h"

namespace pagula::compose
{

using CellEdges = document::CellEdges;

// What a cell of this entry asks of its picture, with the settings as they stand: a picture
// cell takes the adjustments and the crop of its entry's crop profile, a gutter strip neither.
PictureTask pictureTask(const joblist::JobEntry& entry, bool isPicture, QSizeF cellSize,
                        const CompositionSettings& settings);

// placeCell: adds a prepared picture as the next cell, with the adjustments and crop it was
// prepared with, the requested frame edges (when "Рамка вокруг рисунков" is ticked now) and the
// exact cell size. Then advances CellNumber and reports it as progress. A picture that could
// not be prepared fails here with its message; the cells placed before stay.
void placeCell(Session& session, const PreparedPicture& picture, double width, double height,
               const CellEdges& edges);

} // namespace pagula::compose
