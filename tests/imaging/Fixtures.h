#pragma once

// Picture files made by the tests themselves: JPEG through libjpeg's compressor (every variant
// the decoder must read, EXIF blocks included), PCX through a small encoder that can also
// write damaged files, and files from ImageMagick where it is installed.

#include "support/TestSupport.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <ostream>
#include <vector>

namespace pagula::imaging::test
{

// A 64 x 48 picture of four flat quadrants (red, green / blue, white), easy to recognise after
// lossy compression, turning and scaling.
QImage quadrants(int width = 64, int height = 48);
// The same with fine noise, so that compressed data outweighs the headers.
QImage noisyQuadrants(int width, int height);
// The colour of quadrants() at a point given as fractions of the picture.
QRgb quadrantColour(double fx, double fy);
// Whether two colours differ by at most `tolerance` in each channel.
bool near(QRgb a, QRgb b, int tolerance = 24);

struct JpegScan {
    int component = -1; // -1: all components (interleaved)
    int ss = 0, se = 0, ah = 0, al = 0;
};

struct JpegWriteOptions {
    int quality = 92;
    bool progressive = false;
    std::vector<JpegScan> scans; // a custom scan script (progressive)
    bool jfif = true;
    int densityUnit = 0; // JFIF: 0 aspect ratio only, 1 per inch, 2 per cm
    int xDensity = 1, yDensity = 1;
    QByteArray app1; // written as an APP1 segment after the header, when set
};

// Compresses an RGB32 or Grayscale8 picture.
QByteArray writeJpeg(const QImage& image, const JpegWriteOptions& options = {});

// Compresses CMYK samples (0 = no ink). With adobeInverted the samples are stored inverted
// behind an Adobe APP14 marker, as Photoshop writes them; otherwise as they are, without it.
QByteArray writeCmykJpeg(int width, int height, std::array<quint8, 4> cmyk, bool adobeInverted);

// An EXIF APP1 payload ("Exif\0\0" and a TIFF structure) with an orientation tag and,
// when xResolution > 0, a resolution.
QByteArray exifBlock(int orientation, double xResolution = 0, double yResolution = 0, int unit = 2,
                     bool bigEndian = true);

// A PCX file from raw (decoded, planar) line data; every field may be set to nonsense.
struct PcxFields {
    int version = 5;
    int encoding = 1;
    int bitsPerPixel = 8;
    int planes = 1;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int hDpi = 0, vDpi = 0;
    int bytesPerLine = 0;
    QByteArray ega;     // 48 bytes of header palette
    QByteArray lines;   // bytesPerLine * planes bytes for each line, in order
    QByteArray palette; // 768 bytes at the end, after `marker`; empty for none
    quint8 marker = 0x0C;
    bool runsCrossLines = false; // encode the whole stream at once, as some writers do
};
QByteArray writePcx(const PcxFields& fields);
// A PCX of the picture in the given layout: (1,1), (1,4) with the EGA palette, (8,1) with a
// 256-colour palette built from the picture's colours, (8,3).
QByteArray writePcx(const QImage& image, int bitsPerPixel, int planes);

// Little-endian field writer for hand-made headers.
struct Bytes {
    QByteArray data;
    Bytes& u8(int v);
    Bytes& u16(int v);
    Bytes& u32(qint64 v);
    Bytes& raw(const QByteArray& b);
};

// A BMP with a 40-byte info header; `extra` goes between header and pixels (masks, palette).
QByteArray bmp(int width, int height, int bits, int compression, const QByteArray& extra,
               const QByteArray& pixels, int pixelsPerMetre = 2835);
// BMP palette entries.
QByteArray bmpPalette(std::initializer_list<QRgb> colours);

// An 8-bit grey uncompressed little-endian TIFF; every field may be set to nonsense.
struct TiffFields {
    int width = 4, height = 4;
    int bogusTags = 0;       // unknown tags added to the directory
    qint64 stripBytes = -1;  // -1: what the picture needs
    qint64 stripOffset = -1; // -1: where the pixels are
    int orientation = 0;     // 0: no orientation tag
    double xResolution = 0, yResolution = 0;
    int resolutionUnit = 0;     // 0: no unit tag
    bool directoryLast = false; // the directory after the pixels, as libtiff writes it
};
QByteArray tiff(const TiffFields& fields);

// External tools (ImageMagick's convert, libjpeg-turbo's cjpeg, libtiff's tiffset).
bool haveTool(const QString& name);
// Runs a tool; false (and a message in `error`) when it fails.
bool runTool(const QString& name, const QStringList& args, QString* error = nullptr);

// The picture as Qt writes it in a format ("PNG", "BMP", "TIFF", "ICO", "JPEG").
QByteArray encoded(const QImage& image, const char* format, int quality = -1);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace pagula::imaging::test
