#pragma once

#include <QByteArray>
#include <QImage>

namespace pagula::imaging
{

// Decodes a ZSoft PCX picture: 1 bit (Format_Mono), 16 colours in four 1-bit planes with the
// header's EGA palette, 256 colours with the palette at the end after a 0x0C marker
// (Format_Grayscale8 when the palette is grey or missing), 24-bit colour in three planes.
// Throws ImageError for damaged, truncated or unsupported files and PictureTooLargeError
// (without a path) beyond the decoding limits; nothing is allocated for the picture before
// its size has been checked against what the file can hold.
QImage decodePcx(const QByteArray& bytes);

} // namespace pagula::imaging
