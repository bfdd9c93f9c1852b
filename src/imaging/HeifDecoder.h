#pragma once

#include "imaging/ImageIO.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace pagula::imaging
{

class ByteSource;

// HEIF pictures (the HEIC photos of phones) through libheif: the primary image, turned,
// mirrored and cropped as its irot, imir and clap boxes say. Those boxes, not the EXIF block,
// decide how a HEIF picture stands, so the size given and decoded is the shown one and the
// orientation reported is always 1.

// Reads the boxes that describe the picture, not its coded data. Throws ImageError.
ImageInfo probeHeif(const ByteSource& source);

// Format_RGB32, or Format_ARGB32 with an alpha plane; reduced when `atLeast` is at most half the
// picture. Throws ImageError, and PictureTooLargeError without a path.
QImage decodeHeif(const QByteArray& bytes, QSize atLeast = {});

} // namespace pagula::imaging
