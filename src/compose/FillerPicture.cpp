#include "compose/FillerPicture.h"

#include "common/Error.h"

#include <QSaveFile>

namespace pagula::compose
{

namespace
{

constexpr int Side = 50;
constexpr int RowBytes = 8; // 50 bits, padded to a multiple of 4 bytes
constexpr int HeaderBytes = 14 + 40 + 2 * 4;
constexpr int ImageBytes = RowBytes * Side;

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, int v)
{
    put16(b, v & 0xFFFF);
    put16(b, (v >> 16) & 0xFFFF);
}

} // namespace

QByteArray fillerPictureBytes()
{
    QByteArray b;
    b.reserve(HeaderBytes + ImageBytes);
    // BITMAPFILEHEADER
    b.append("BM", 2);
    put32(b, HeaderBytes + ImageBytes);
    put32(b, 0);
    put32(b, HeaderBytes);
    // BITMAPINFOHEADER: bottom-up, 1 bit, uncompressed, no resolution stated
    put32(b, 40);
    put32(b, Side);
    put32(b, Side);
    put16(b, 1);
    put16(b, 1);
    put32(b, 0);
    put32(b, ImageBytes);
    put32(b, 0);
    put32(b, 0);
    put32(b, 2);
    put32(b, 0);
    // Palette: index 0 black, index 1 white
    put32(b, 0x00000000);
    put32(b, 0x00FFFFFF);
    // Rows: 48 white pixels in 6 bytes, 2 more in the seventh, padding bits zero
    const char row[RowBytes] = {'\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xC0', '\x00'};
    for (int y = 0; y < Side; ++y)
        b.append(row, RowBytes);
    return b;
}

void writeFillerPicture(const QString& path)
{
    QSaveFile file(path);
    const QByteArray bytes = fillerPictureBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw common::Error(
            QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));
}

} // namespace pagula::compose
