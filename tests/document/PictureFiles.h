#pragma once

#include <QByteArray>
#include <QImage>

namespace pagula::document::test
{

// An 8-bit greyscale PCX file of a picture's grey levels, run-length encoded, with a stated
// resolution.
QByteArray pcxFile(const QImage& picture, int dpi);

// A JPEG file with an EXIF orientation (1 to 8) put in front of its data.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);

} // namespace pagula::document::test
