#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace pagula::preview
{

// The extension of a file name as the preview judges it: what follows the last '.' of the
// last path component, without the dot; empty when there is none.
QString pictureExtension(const QString& path);

// Whether the preview shows files with this extension (compared without regard to case):
// JPEG, BMP and ICO, and also everything the file browser offers (TIFF, GIF, PCX, PNG, WebP,
// HEIC/HEIF and PDF pages); metafiles only when a reader for them is installed.
bool isPreviewableExtension(const QString& extension);

// The picture a preview renders from: Format_RGB32, transparent parts laid over white.
// Throws ImageError("Out of memory") when the copy cannot be made.
QImage toPreviewSource(const QImage& decoded);

// A picture as the preview holds it: `source` in Format_RGB32, at the picture's own size when
// that fits the decoding limits, otherwise a reduced JPEG decode; `realSize` the picture's own
// upright size, which every size the preview shows is measured on.
struct PreviewPicture {
    QImage source;
    QSize realSize;

    bool isReduced() const { return source.size() != realSize; }
};

// Reads and decodes the picture of a job entry (a file, or a page of a PDF rendered at
// limits::pageDpi). The extension of the file decides whether the file is
// a picture at all ("Unknown picture file extension (.%s)"); which decoder reads it is decided
// by its content. A JPEG too large to hold at full size comes back at the largest DCT-reduced
// size that fits, as the composition places it. Throws ImageError, e.g. "Cannot open file %s",
// "JPEG error #%d" or, when even the smallest decode exceeds the limits, "Picture %s is too
// large (W x H pixels)".
PreviewPicture loadPreviewPicture(const QString& path);

// Whether the preview can hold a shown copy of this size: the same limit as a decoded picture.
bool canHoldShownSize(QSize shown);

} // namespace pagula::preview
