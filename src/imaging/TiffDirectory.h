#pragma once

#include "imaging/Resolution.h"

#include <QtGlobal>

#include <optional>

namespace pagula::imaging
{

class ByteSource;

// The tags of a TIFF-structured first directory (IFD0) that tell size, resolution and
// orientation. TIFF files and the EXIF block of JPEG files share this structure.
struct TiffDirectory {
    qint64 width = 0; // 0 when absent (an EXIF block usually has none)
    qint64 height = 0;
    int orientation = 1;      // 1..8; 1 when absent or out of range
    double xResolution = 0.0; // in resolutionUnit; 0 when absent or unusable
    double yResolution = 0.0;
    ResolutionUnit resolutionUnit = ResolutionUnit::Inch;

    double dpiX() const { return dpiFromUnit(xResolution, resolutionUnit); }
    double dpiY() const { return dpiFromUnit(yResolution, resolutionUnit); }
};

// Reads IFD0 of TIFF-structured data that starts at `base` in the source (offsets inside are
// relative to it). nullopt when there is no TIFF header there. Damaged entries are skipped:
// they leave their field at its default.
std::optional<TiffDirectory> readTiffDirectory(const ByteSource& source, qint64 base = 0);

} // namespace pagula::imaging
