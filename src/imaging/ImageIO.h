#pragma once

#include "common/Error.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace pagula::imaging {

enum class ImageFormat { Unknown, Jpeg, Png, Bmp, Gif, Tiff, Pcx, Ico };

// A picture file could not be probed or decoded. message() is the reason as the user sees it,
// e.g. "Cannot open file /x/a.jpg" or "JPEG error #42".
class ImageError : public Error {
public:
    using Error::Error;
};

// What a cheap look at the file's header tells.
struct ImageInfo {
    ImageFormat format = ImageFormat::Unknown;
    QSize pixelSize;    // as stored in the file
    double dpiX = 96.0; // 96 when the file states no resolution
    double dpiY = 96.0;
    int orientation = 1; // EXIF orientation 1..8; 1 when absent

    // Pixel size as the picture is shown (orientations 5..8 swap width and height).
    QSize orientedSize() const;
    // The picture's own size in points (1/72 inch), as a word processor inserts it at 100 %.
    QSizeF sizeInPoints() const;
};

// Reads only as much of the file as the header needs. Throws ImageError.
ImageInfo probeFile(const QString& path);
ImageInfo probeData(const QByteArray& bytes);

struct DecodeRequest {
    // The decoder may return a smaller picture (JPEG DCT scaling 1/2, 1/4, 1/8) as long as the
    // oriented result is at least this large in both directions. Empty: full size.
    QSize atLeast;
    // Apply the EXIF orientation, so the result is upright.
    bool applyOrientation = true;
};

// Decodes a picture file, choosing the decoder by content, not by extension. Pictures larger
// than the pixel limit are refused before any allocation. Throws ImageError.
QImage decodeFile(const QString& path, const DecodeRequest& request = {});
QImage decodeData(const QByteArray& bytes, const DecodeRequest& request = {});

} // namespace pagula::imaging
