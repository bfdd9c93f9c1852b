#pragma once

#include "common/Error.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace pagula::imaging
{

enum class ImageFormat { Unknown, Jpeg, Png, Bmp, Gif, Tiff, Pcx, Ico, Webp, Heif, Pdf };

// A picture file could not be probed or decoded. message() is the reason as the user sees it,
// e.g. "Cannot open file /x/a.jpg" or "JPEG error #42: Unsupported marker type 0x42".
class ImageError : public common::Error
{
public:
    using common::Error::Error;
};

// The picture is larger than the decoder's limits allow (see Limits.h), also at every reduced
// size that would still satisfy the request, or (when scans is given) its scans would take too
// long to decode. The message names the file and its pixel size.
class PictureTooLargeError : public ImageError
{
public:
    PictureTooLargeError(const QString& path, QSize pixelSize, int scans = 0);
    QSize pixelSize() const { return pixelSize_; }
    int scans() const { return scans_; }

private:
    QSize pixelSize_;
    int scans_;
};

// The format of picture bytes, judged by their content alone (never by a file name).
ImageFormat detectFormat(const QByteArray& head);
// "JPEG", "PNG", ... ; "unknown" for ImageFormat::Unknown.
QString formatName(ImageFormat format);

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

// Reads only as much of the file as the header needs. `address` is a picture file, or a page
// of a PDF file as common/PictureAddress.h writes it; the whole PDF file stands for its first
// page. A page's pixel size is its size at limits::pageDpi. Throws ImageError.
ImageInfo probeFile(const QString& address);
ImageInfo probeData(const QByteArray& bytes);

struct DecodeRequest {
    // The decoder may return a smaller picture (JPEG DCT scaling by any M/8) as long as the
    // oriented result is at least this large in both directions. Empty: full size.
    QSize atLeast;
    // Apply the EXIF orientation, so the result is upright.
    bool applyOrientation = true;
    // When even the size asked for exceeds the decoding limits, return the largest reduced
    // JPEG decode that fits them instead of failing (for a viewer of very large photos).
    bool shrinkToFitLimit = false;
    // The picture will only be shown grey: a colour JPEG may come back as its luminance alone
    // (Format_Grayscale8), which skips decoding its colour planes.
    bool luminanceOnly = false;
};

// Decodes a picture file, or renders a page of a PDF file (`address` as for probeFile()),
// choosing the decoder by content, not by extension. Pictures larger than the pixel limit are
// refused before any allocation; a page is rendered at the size the request asks for (its size
// at limits::pageDpi when it asks for none), within the limits. Throws ImageError:
//   "Cannot open file <path>" (missing, unreadable, a folder, a FIFO or a device),
//   "JPEG error #<libjpeg message number>: <its text>", "Picture <path> is too large (W x H
//   pixels)", "Unknown picture format", "Damaged <format> header", "PCX file is truncated", ...
// Both functions may run on any thread (a preview decodes in a worker).
// A picture larger than the request is not scaled down, except JPEG by its DCT eighths and the
// Qt-read formats (not 1-bit) when the request is at most half the picture's size.
// Result formats: Format_RGB32, or Format_ARGB32 for pictures with transparency;
// Format_Grayscale8 for greyscale sources; Format_Mono for 1-bit sources.
// A JPEG cut short returns what was read (the rest grey), as a word processor shows it.
// HEIF pictures come back turned as their irot/imir boxes say (never also by their EXIF block).
QImage decodeFile(const QString& address, const DecodeRequest& request = {});
QImage decodeData(const QByteArray& bytes, const DecodeRequest& request = {});

} // namespace pagula::imaging
