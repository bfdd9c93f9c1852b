#pragma once

#include <QByteArray>
#include <QString>

namespace pagula::compose
{

// The white filler picture placed for gutter strips and blank cells: a Windows bitmap of
// 50 x 50 pixels, 1 bit per pixel, palette black/white, every pixel white (462 bytes).
QByteArray fillerPictureBytes();

// Writes the filler picture to path, replacing any file there. Throws pagula::common::Error
// ("Cannot create file %s") when the location cannot be written.
void writeFillerPicture(const QString& path);

} // namespace pagula::compose
