#pragma once

#include <QImage>
#include <QString>

namespace pagula::preview {

// The extension of a file name as the preview judges it: what follows the last '.' of the
// last path component, without the dot; empty when there is none.
QString pictureExtension(const QString& path);

// Whether the preview shows files with this extension (compared without regard to case):
// JPEG, BMP and ICO, and also TIFF, GIF and PCX, which the file browser offers; metafiles
// only when a reader for them is installed.
bool isPreviewableExtension(const QString& extension);

// The picture a preview renders from: Format_RGB32, transparent parts laid over white.
// Throws ImageError("Out of memory") when the copy cannot be made.
QImage toPreviewSource(const QImage& decoded);

// Reads and decodes the picture file of a job entry. The extension decides whether the file is
// a picture at all ("Unknown picture file extension (.%s)"); which decoder reads it is decided
// by its content. Throws ImageError, e.g. "Cannot open file %s" or "JPEG error #%d".
QImage loadPreviewPicture(const QString& path);

} // namespace pagula::preview
