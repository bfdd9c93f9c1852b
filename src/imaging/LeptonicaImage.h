#pragma once

#include <QImage>

#include <memory>

struct Pix;

namespace pagula::imaging
{

// Pictures handed to and taken back from Leptonica, the document-image library used for skew,
// background and threshold work. Its pixels are 32-bit words in big-endian byte order; QImage's
// are bytes, so every crossing is a copy.

struct PixDeleter {
    void operator()(Pix* pix) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

// Format_Grayscale8 becomes 8 bits per pixel, Format_RGB32 32 bits (red, green, blue, unused);
// other formats are first converted to one of the two. Null when Leptonica cannot allocate it.
PixPtr toPix(const QImage& image);
// 1 bit per pixel becomes Format_Mono (black 0, white 1), 8 bits Format_Grayscale8, 32 bits
// Format_RGB32; a null image for any other depth.
QImage fromPix(const Pix* pix);
// Takes ownership of what a Leptonica call returned (it may be null).
inline PixPtr adopt(Pix* pix)
{
    return PixPtr(pix);
}

} // namespace pagula::imaging
