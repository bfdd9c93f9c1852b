#pragma once

#include <QByteArray>
#include <QSize>
#include <QtGlobal>

#include <vector>

namespace pagula::imaging
{

// The output sizes that the grid images of a HEIF file declare. A grid (the tiled form phones
// write) is assembled into a picture of the size its own data states, whatever the picture's
// stated size says; libheif allocates it before decoding a tile, so the sizes are checked
// against the decoding limits first. Read from the meta box's iinf, iloc and idat; damaged
// structures give no size (libheif then refuses the file itself).
std::vector<QSize> heifGridSizes(const QByteArray& bytes);

} // namespace pagula::imaging
