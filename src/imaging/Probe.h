#pragma once

#include "imaging/ImageIO.h"

namespace pagula::imaging
{

class ByteSource;

// Reads a picture's header: format (by content), pixel size, resolution, EXIF orientation.
// Reads only the header's bytes; follows offsets where the format has them (TIFF, JPEG
// segments, PNG chunks) instead of reading the file through. Throws ImageError.
ImageInfo probeSource(const ByteSource& source);

// The EXIF orientation of JPEG, TIFF, PNG or WebP bytes; 1 when there is none or the header is
// damaged, and for every other format.
int readOrientation(const ByteSource& source, ImageFormat format);

} // namespace pagula::imaging
