#pragma once

#include <QImage>
#include <QSize>

namespace pagula::imaging
{

// The picture turned upright from its stored EXIF orientation (1..8; anything else is 1).
// Keeps the pixel format, 1-bit pictures included.
QImage orientUpright(const QImage& stored, int orientation);

// Orientations 5..8 store the picture on its side: width and height swap when shown.
inline bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// The size of the stored picture that is `shown` once turned upright.
inline QSize storedSize(QSize shown, int orientation)
{
    return swapsSides(orientation) ? shown.transposed() : shown;
}

} // namespace pagula::imaging
