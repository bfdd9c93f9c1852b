#include "Fixtures.h"

#include "imaging/ByteSource.h"
#include "imaging/ImageIO.h"
#include "imaging/Probe.h"

#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

QByteArray jpegWith(int unit, int x, int y, const QByteArray& app1 = {}, bool jfif = true)
{
    JpegWriteOptions o;
    o.jfif = jfif;
    o.densityUnit = unit;
    o.xDensity = x;
    o.yDensity = y;
    o.app1 = app1;
    return writeJpeg(quadrants(40, 30), o);
}

QByteArray pcxWithDpi(int width, int height, int hDpi, int vDpi)
{
    PcxFields s;
    s.xMax = width - 1;
    s.yMax = height - 1;
    s.bytesPerLine = width + (width & 1);
    s.lines = QByteArray(qsizetype(s.bytesPerLine) * height, '\x01');
    s.hDpi = hDpi;
    s.vDpi = vDpi;
    return writePcx(s);
}

QByteArray pngWithDpm(int dotsPerMetre)
{
    QImage image = quadrants(20, 10);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return encoded(image, "PNG");
}

TEST(Probe, ReadsSizeResolutionAndOrientation)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        ImageFormat format;
        QSize size;
        double dpiX, dpiY;
        int orientation = 1;
    };
    const Case cases[] = {
        {"JFIF per inch", jpegWith(1, 300, 150), ImageFormat::Jpeg, {40, 30}, 300, 150},
        {"JFIF per cm", jpegWith(2, 118, 118), ImageFormat::Jpeg, {40, 30}, 299.72, 299.72},
        {"JFIF aspect ratio only", jpegWith(0, 1, 1), ImageFormat::Jpeg, {40, 30}, 96, 96},
        {"JFIF density 0", jpegWith(1, 0, 0), ImageFormat::Jpeg, {40, 30}, 96, 96},
        {"EXIF without JFIF",
         jpegWith(0, 1, 1, exifBlock(6, 200, 200), false),
         ImageFormat::Jpeg,
         {40, 30},
         200,
         200,
         6},
        {"EXIF behind an aspect-only JFIF",
         jpegWith(0, 1, 1, exifBlock(1, 150, 150)),
         ImageFormat::Jpeg,
         {40, 30},
         150,
         150},
        {"JFIF before EXIF",
         jpegWith(1, 300, 300, exifBlock(3, 72, 72)),
         ImageFormat::Jpeg,
         {40, 30},
         300,
         300,
         3},
        {"EXIF per cm, little-endian",
         jpegWith(0, 1, 1, exifBlock(8, 100, 100, 3, false), false),
         ImageFormat::Jpeg,
         {40, 30},
         254,
         254,
         8},
        {"EXIF orientation out of range",
         jpegWith(0, 1, 1, exifBlock(9)),
         ImageFormat::Jpeg,
         {40, 30},
         96,
         96,
         1},
        {"PNG pHYs", pngWithDpm(11811), ImageFormat::Png, {20, 10}, 300, 300},
        {"BMP 96 dpi",
         bmp(3, 2, 24, 0, {}, QByteArray(24, '\0'), 3780),
         ImageFormat::Bmp,
         {3, 2},
         96,
         96},
        {"BMP without resolution",
         bmp(3, -2, 24, 0, {}, QByteArray(24, '\0'), 0),
         ImageFormat::Bmp,
         {3, 2},
         96,
         96},
        {"TIFF per inch",
         tiff({5, 3, 0, -1, -1, 0, 600, 300, 2}),
         ImageFormat::Tiff,
         {5, 3},
         600,
         300},
        {"TIFF per cm, directory last",
         tiff({5, 3, 0, -1, -1, 6, 118.11, 118.11, 3, true}),
         ImageFormat::Tiff,
         {5, 3},
         300,
         300,
         6},
        {"TIFF without unit",
         tiff({5, 3, 0, -1, -1, 0, 300, 300, 1}),
         ImageFormat::Tiff,
         {5, 3},
         96,
         96},
        {"TIFF unit absent means inch",
         tiff({5, 3, 0, -1, -1, 5, 200, 200, 0}),
         ImageFormat::Tiff,
         {5, 3},
         200,
         200,
         5},
        {"PCX 300 dpi", pcxWithDpi(6, 4, 300, 300), ImageFormat::Pcx, {6, 4}, 300, 300},
        {"PCX screen size as dpi", pcxWithDpi(6, 4, 640, 480), ImageFormat::Pcx, {6, 4}, 96, 96},
        {"PCX own size as dpi",
         pcxWithDpi(200, 100, 200, 100),
         ImageFormat::Pcx,
         {200, 100},
         96,
         96},
        {"PCX dpi 0", pcxWithDpi(6, 4, 0, 0), ImageFormat::Pcx, {6, 4}, 96, 96},
        {"ICO", encoded(quadrants(32, 32), "ICO"), ImageFormat::Ico, {32, 32}, 96, 96},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageInfo info;
        try {
            info = probeData(c.bytes);
        } catch (const ImageError& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.pixelSize, c.size);
        EXPECT_NEAR(info.dpiX, c.dpiX, 0.01);
        EXPECT_NEAR(info.dpiY, c.dpiY, 0.01);
        EXPECT_EQ(info.orientation, c.orientation);
    }
}

TEST(Probe, SizeInPointsFollowsOrientationAndResolution)
{
    ImageInfo info = probeData(jpegWith(1, 144, 72, exifBlock(6)));
    EXPECT_EQ(info.orientedSize(), QSize(30, 40));
    EXPECT_EQ(info.sizeInPoints(), QSizeF(30.0, 20.0)); // 30 px at 72 dpi, 40 px at 144 dpi
}

TEST(Probe, GifSizeComesFromTheFirstFrameWhenTheScreenHasNone)
{
    Bytes gif;
    gif.raw("GIF89a").u16(0).u16(0).u8(0).u8(0).u8(0);
    gif.u8(0x21).u8(0xFE).u8(3).raw("abc").u8(0); // a comment
    gif.u8(0x2C).u16(2).u16(1).u16(7).u16(5).u8(0).u8(2).u8(2).u8(0x4C).u8(0x01).u8(0).u8(0x3B);
    EXPECT_EQ(probeData(gif.data).pixelSize, QSize(9, 6));
}

TEST(Probe, FailsClearly)
{
    const QByteArray noFrame = writeJpeg(quadrants()).left(100);
    for (const auto& [bytes, message] :
         {std::pair{QByteArray("just some text"), QStringLiteral("Unknown picture format")},
          std::pair{QByteArray(), QStringLiteral("Unknown picture format")},
          std::pair{noFrame, QStringLiteral("Damaged JPEG header")},
          std::pair{encoded(quadrants(), "PNG").left(20), QStringLiteral("Damaged PNG header")},
          std::pair{tiff({0, 3}), QStringLiteral("Damaged TIFF header")},
          std::pair{pcxWithDpi(6, 4, 0, 0).left(60), QStringLiteral("Damaged PCX header")}}) {
        try {
            probeData(bytes);
            ADD_FAILURE() << "probed " << message.toStdString();
        } catch (const ImageError& e) {
            EXPECT_EQ(e.message(), message);
        }
    }
}

// Counts what a parser reads.
class CountingSource : public ByteSource
{
public:
    explicit CountingSource(QByteArray bytes) : inner_(std::move(bytes)) {}
    qint64 size() const override { return inner_.size(); }
    QByteArray read(qint64 offset, qint64 len) const override
    {
        const QByteArray out = inner_.read(offset, len);
        bytesRead += out.size();
        return out;
    }
    mutable qint64 bytesRead = 0;

private:
    MemorySource inner_;
};

TEST(Probe, ReadsOnlyTheHeader)
{
    const QImage big = noisyQuadrants(1200, 900);
    JpegWriteOptions o;
    o.quality = 100;
    o.app1 = exifBlock(6);
    const QByteArray jpeg = writeJpeg(big, o);
    TiffFields t;
    t.width = 1000;
    t.height = 1000;
    t.directoryLast = true;
    for (const QByteArray& bytes : {jpeg, tiff(t)}) {
        const CountingSource source(bytes);
        const ImageInfo info = probeSource(source);
        EXPECT_GT(info.pixelSize.width(), 0);
        EXPECT_GT(bytes.size(), 100000);
        EXPECT_LT(source.bytesRead, 40000);
    }
}

} // namespace
} // namespace pagula::imaging
