#include "PictureFiles.h"

#include <QtEndian>

namespace pagula::document::test
{

QByteArray pcxFile(const QImage& picture, int dpi)
{
    const int w = picture.width();
    const int h = picture.height();
    const int bytesPerLine = (w + 1) & ~1;
    QByteArray out(128, '\0');
    const auto put16 = [&](int at, int v) {
        out[at] = char(v & 0xFF);
        out[at + 1] = char(v >> 8);
    };
    out[0] = 0x0A; // manufacturer
    out[1] = 5;    // version
    out[2] = 1;    // run-length encoding
    out[3] = 8;    // bits per pixel
    put16(8, w - 1);
    put16(10, h - 1);
    put16(12, dpi);
    put16(14, dpi);
    out[65] = 1; // planes
    put16(66, bytesPerLine);
    put16(68, 1); // palette of grey levels
    for (int y = 0; y < h; ++y) {
        QByteArray line(bytesPerLine, '\0');
        for (int x = 0; x < w; ++x)
            line[x] = char(qGray(picture.pixel(x, y)));
        for (int x = 0; x < bytesPerLine;) {
            int run = 1;
            while (x + run < bytesPerLine && run < 63 && line[x + run] == line[x])
                ++run;
            if (run > 1 || (uchar(line[x]) & 0xC0) == 0xC0)
                out.append(char(0xC0 | run));
            out.append(line[x]);
            x += run;
        }
    }
    out.append(char(0x0C));
    for (int i = 0; i < 256; ++i)
        out.append(QByteArray(3, char(i)));
    return out;
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // A big-endian TIFF header and one IFD entry: Orientation (0x0112), SHORT, 1 value.
    QByteArray tiff("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 26);
    tiff[19] = char(orientation);
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1\0\0", 4);
    qToBigEndian<quint16>(quint16(app1.size() + 2), segment.data() + 2);
    return jpeg.left(2) + segment + app1 + jpeg.mid(2);
}

} // namespace pagula::document::test
