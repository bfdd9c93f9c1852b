#pragma once

#include "imaging/ImageIO.h"

#include <QByteArrayView>

#include <array>

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

// The colour components in a JPEG's frame header; 0 when there is none.
int jpegComponents(const QByteArray& bytes);

// The scans of a JPEG image: how many start-of-scan markers come before its end marker, and
// how many of them hold each component (by its id), and how many coefficients of each of its
// blocks those scans decode in all (a scan's spectral band: 64 for a sequential scan, 1 for a
// DC scan, up to 63 for an AC scan; a band that makes no sense counts as 64). The segments are
// followed by their lengths and the coded data between them is skipped to its next marker, so a
// thumbnail or any other data inside a segment does not count. Counting stops after stopAfter
// scans.
struct JpegScans {
    int count = 0;
    std::array<int, 256> perComponent{};
    std::array<int, 256> coefficientsPerComponent{};
    // Whether a restart interval is set anywhere (libjpeg then works at every restart, also
    // where the data has run out).
    bool restarts = false;
};
JpegScans countJpegScans(QByteArrayView bytes, int stopAfter);

} // namespace pagula::imaging
