#pragma once

#include <QByteArray>
#include <QImage>

namespace pagula::imaging
{

// A Format_Grayscale8 or Format_RGB32 picture as a baseline JPEG (grey or YCbCr 4:2:0) at a
// quality of 1 to 100, made by libjpeg-turbo. Empty for other formats, and when libjpeg fails
// (it runs out of memory). Any thread may call it.
QByteArray encodeJpeg(const QImage& picture, int quality);

} // namespace pagula::imaging
