#pragma once

#include "imaging/ImageIO.h"

namespace pagula::imaging
{

// Decodes PNG, BMP, GIF, TIFF (first page), ICO (first image) and WebP (first frame) through
// Qt's image readers, with the format named explicitly (it was recognised by content already).
// The declared size is checked against the decoding limits before anything is read. A large
// picture that is wanted much smaller (atLeast, in the stored orientation) comes back reduced,
// unless it is 1-bit, where reducing would cost the sharpness of a black and white scan.
// Throws ImageError, and PictureTooLargeError without a path.
QImage decodeWithQt(const QByteArray& bytes, ImageFormat format, QSize atLeast = {});

// The smallest size with the picture's proportions that covers atLeast, when that is at most
// half the picture in both directions; otherwise the full size (an invalid QSize). Decoders
// without a reduced decode of their own scale down to it.
QSize reducedDecodeSize(QSize full, QSize atLeast);

// The pixel formats the decoders hand out: Format_Mono for 1-bit pictures, Format_Grayscale8
// for grey ones, Format_ARGB32 for pictures with transparency and Format_RGB32 for the rest.
QImage toOutputFormat(const QImage& image);

} // namespace pagula::imaging
