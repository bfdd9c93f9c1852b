#pragma once

#include <QString>

namespace pagula::bench
{

// pagula-compose beside img2pdf (one scan per page, the JPEG passed through: what writing these
// pictures into a PDF costs at least) and djpeg -grayscale -scale 1/2 (the decode a 300 dpi
// cell needs) over the same `count` scans, run in turn for `rounds` rounds so that a busy
// machine weighs on all three alike. Prints each round and the median ratios against the
// targets: processor time at most 1.0 x djpeg's, wall time at most 1.3 x img2pdf's, peak
// memory at most 100 MiB.
void reportSideBySide(const QString& folder, int count, int rounds);

} // namespace pagula::bench
