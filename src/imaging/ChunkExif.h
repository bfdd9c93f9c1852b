#pragma once

#include "imaging/TiffDirectory.h"

#include <optional>

namespace pagula::imaging
{

class ByteSource;

// The EXIF block of a PNG file (its eXIf chunk) and of a WebP file (its EXIF chunk): a TIFF
// structure, which cameras and phones fill with the orientation. nullopt when there is none.
// At most maxChunksWalked chunks are looked at, so a file of millions of tiny chunks costs
// little.
std::optional<TiffDirectory> pngExif(const ByteSource& source);
std::optional<TiffDirectory> webpExif(const ByteSource& source);

inline constexpr int maxChunksWalked = 100000;

} // namespace pagula::imaging
