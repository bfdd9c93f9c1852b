#pragma once

#include <QImage>
#include <QSize>

namespace pagula::imaging
{

// Black and white for print, decided locally (Sauvola's threshold: each pixel against the mean
// and spread of its neighbourhood), so that thin strokes next to heavy ones and print in a
// faint corner both survive. The threshold is taken at `printed`, the pixels the cell covers
// at the printer's resolution: a smaller picture is first enlarged to it, never thresholded
// below it (a larger one is reduced to it). Returns Format_Mono (black 0, white 1) of that
// size; the picture as it is when it is empty or Leptonica fails.
QImage thresholdForPrint(const QImage& picture, QSize printed);

} // namespace pagula::imaging
