#pragma once

#include <QImage>

namespace pagula::imaging
{

// The paper turned evenly white: the local brightness of the paper (found by closing over the
// print at a reduced size) divides every pixel, so that lighting gradients, shadows, grey or
// yellow paper become white while print keeps its darkness relative to the paper around it.
// Grey pictures stay Format_Grayscale8, others become Format_RGB32 (each channel evened on its
// own, which also whitens tinted paper). A picture without paper to speak of (nearly black),
// or too small to look at, comes back as it is.
QImage evenBackground(const QImage& picture);

} // namespace pagula::imaging
