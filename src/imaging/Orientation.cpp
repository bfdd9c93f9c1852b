#include "imaging/Orientation.h"

#include <QTransform>

namespace pagula::imaging
{

namespace
{
// Right-angle rotations keep every pixel format (a general matrix such as a transposition
// would turn a 1-bit picture into 32-bit ARGB), so each orientation is built from a
// rotation and a mirror.
QImage rotated(const QImage& image, int degreesClockwise)
{
    return image.transformed(QTransform().rotate(degreesClockwise));
}
} // namespace

QImage orientUpright(const QImage& stored, int orientation)
{
    switch (orientation) {
    case 2: // mirrored left to right
        return stored.mirrored(true, false);
    case 3: // upside down
        return rotated(stored, 180);
    case 4: // mirrored top to bottom
        return stored.mirrored(false, true);
    case 5: // transposed
        return rotated(stored, 90).mirrored(true, false);
    case 6: // lying on its left side
        return rotated(stored, 90);
    case 7: // transposed through the other diagonal
        return rotated(stored, 90).mirrored(false, true);
    case 8: // lying on its right side
        return rotated(stored, 270);
    default:
        return stored;
    }
}

} // namespace pagula::imaging
