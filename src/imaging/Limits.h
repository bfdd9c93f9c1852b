#pragma once

#include <QSize>
#include <QtGlobal>

// Every bound the picture readers enforce on outside input, in one place. Picture files come
// from anywhere; these keep memory and time bounded whatever a header claims.
namespace pagula::imaging::limits
{

// Largest decoded picture buffer: 64 megapixels at 4 bytes per pixel.
constexpr qint64 maxDecodedBytes = 256LL * 1024 * 1024;
// Longest side of a decoded picture.
constexpr qint64 maxSide = 32768;
// Largest picture file read into memory. A file this large that still decodes within
// maxDecodedBytes is a JPEG far beyond any scan or photo.
constexpr qint64 maxFileBytes = 256LL * 1024 * 1024;

// libjpeg's own working memory (a progressive file keeps all its coefficients: 2 bytes per
// sample at full size, whatever the output scale).
constexpr long jpegWorkingMemory = 512L * 1024 * 1024;
// Progressive JPEG files normally have about 10 scans; hundreds are an attack on time. The scans
// are counted before decoding.
constexpr int jpegMaxScans = 100;
// Each scan is a pass over the 8 x 8 blocks of the components it holds, so a JPEG's decoding
// time is about its blocks times their scans, whatever the output scale. A 100-megapixel colour
// photo in the usual 10 progressive scans makes about 15 million block passes; a 16000 x 16000
// grey picture in 100 scans 400 million (26 CPU seconds). More than this is refused up front:
// a pass costs even where the data has run out, more so with restart markers.
constexpr qint64 jpegMaxBlockPasses = 32LL * 1024 * 1024;
// Arithmetic coding decodes, in every pass over a block, the coefficients of the scan's band
// (64 in a sequential scan) whatever the data holds, missing data included, and takes several
// times as long as Huffman coding for each. A 12-megapixel colour photo coded so makes about
// 20 million coefficient passes; a 4096 x 4096 grey one 64 million.
constexpr qint64 jpegMaxArithmeticCoefficients = 64LL * 1024 * 1024;

// A Huffman-coded JPEG needs at least one bit for each 8 x 8 block (its DC value); an
// arithmetic-coded one can take less, but a picture with anything in it does not. A file cut
// short shows what it holds; one holding less than 1/jpegMinDataShare of a bit per block of its
// declared picture is a lying header (a few bytes claiming gigapixels), refused before the long
// decode of nothing, whatever its coding.
constexpr qint64 jpegMinDataShare = 100;

// A PDF page is rendered at the size a request asks for; asked for no size (the preview, a
// package's converted copy) at this resolution, which keeps text readable in a cell.
constexpr double pageDpi = 150.0;
// Page sides beyond this are nonsense (200 inches: the largest page the PDF format allows), and
// so is a side under one point.
constexpr double maxPagePoints = 14400.0;
constexpr double minPagePoints = 1.0;
// A page that takes longer is abandoned: a hostile page can hold millions of drawing operators.
constexpr int pageRenderMilliseconds = 30000;

// Qt's reader allocation limit, in MiB (the same bound as maxDecodedBytes).
constexpr int qtAllocationLimitMiB = int(maxDecodedBytes / (1024 * 1024));

// A stated resolution outside this range is nonsense (0, aspect-ratio-only values, garbage);
// the picture then counts as having none.
constexpr double minDpi = 10.0;
constexpr double maxDpi = 20000.0;
constexpr double defaultDpi = 96.0;

// Bytes of a QImage of this size and bit depth (scan lines padded to 32 bits), computed in
// 64 bits so that no header value can overflow it.
constexpr qint64 imageBytes(qint64 width, qint64 height, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4 * height;
}

// Whether a picture of this size may be decoded into a buffer of this depth.
constexpr bool fitsDecodeLimits(qint64 width, qint64 height, int bitsPerPixel)
{
    return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
           imageBytes(width, height, bitsPerPixel) <= maxDecodedBytes;
}

} // namespace pagula::imaging::limits
