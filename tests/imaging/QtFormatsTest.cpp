#include "Fixtures.h"

#include "imaging/ImageIO.h"
#include "imaging/QtReaderDecoder.h"

#include <functional>
#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

QString outcome(const QByteArray& bytes, ImageFormat format)
{
    try {
        const QImage image = decodeWithQt(bytes, format);
        return QStringLiteral("decoded %1 x %2").arg(image.width()).arg(image.height());
    } catch (const PictureTooLargeError& e) {
        return QStringLiteral("too large");
    } catch (const ImageError& e) {
        return QStringLiteral("error");
    }
}

void expectQuadrantColours(const QImage& image)
{
    for (double fy : {0.25, 0.75}) {
        for (double fx : {0.25, 0.75}) {
            const QRgb got = image.pixel(int(fx * image.width()), int(fy * image.height()));
            EXPECT_TRUE(near(got, quadrantColour(fx, fy), 2))
                << std::hex << got << " at " << fx << "," << fy;
        }
    }
}

TEST(QtReaderDecoder, DecodesWhatImageMagickWrites)
{
    if (!haveTool(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("q.png"));
    const QString second = dir.filePath(QStringLiteral("second.png"));
    ASSERT_TRUE(quadrants(37, 23).save(png));
    ASSERT_TRUE(QImage(quadrants(37, 23).mirrored(true, true)).save(second));
    struct Case {
        const char* file;
        QStringList options;
        ImageFormat format;
        QImage::Format pixels;
        bool monochrome = false;
    };
    const auto opts = [](const char* s) { return QString::fromLatin1(s).split(QLatin1Char(' ')); };
    const Case cases[] = {
        {"BMP3:b24.bmp", opts("-type truecolor"), ImageFormat::Bmp, QImage::Format_RGB32},
        {"b32.bmp", opts("-alpha set -define bmp:format=bmp4"), ImageFormat::Bmp,
         QImage::Format_ARGB32},
        {"BMP3:b8.bmp", opts("-type palette -colors 256"), ImageFormat::Bmp, QImage::Format_RGB32},
        {"BMP3:b8rle.bmp", opts("-type palette -compress RLE"), ImageFormat::Bmp,
         QImage::Format_RGB32},
        {"BMP3:b4.bmp", opts("-colors 4 -type palette"), ImageFormat::Bmp, QImage::Format_RGB32},
        {"BMP3:b1.bmp", opts("-threshold 60% -type bilevel"), ImageFormat::Bmp, QImage::Format_Mono,
         true},
        {"g.gif", {}, ImageFormat::Gif, QImage::Format_RGB32},
        {"lzw.tif", opts("-compress lzw"), ImageFormat::Tiff, QImage::Format_RGB32},
        {"g4.tif", opts("-threshold 60% -type bilevel -compress Group4"), ImageFormat::Tiff,
         QImage::Format_Mono, true},
        {"i.ico", {}, ImageFormat::Ico, QImage::Format_ARGB32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString target = QString::fromLatin1(c.file);
        const QString path = dir.filePath(target.section(QLatin1Char(':'), -1));
        const QString prefix = target.contains(QLatin1Char(':'))
                                   ? target.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':')
                                   : QString();
        QString error;
        ASSERT_TRUE(runTool(QStringLiteral("convert"),
                            QStringList{png} + c.options + QStringList{prefix + path}, &error))
            << error.toStdString();
        const QImage image = decodeWithQt(readFile(path), c.format);
        EXPECT_EQ(image.size(), QSize(37, 23));
        EXPECT_EQ(image.format(), c.pixels);
        if (c.monochrome) { // red and blue are dark, green and white light
            EXPECT_EQ(qGray(image.pixel(5, 5)), 0);
            EXPECT_EQ(qGray(image.pixel(30, 20)), 255);
        } else {
            expectQuadrantColours(image);
        }
    }

    // A multi-page TIFF shows its first page.
    const QString pages = dir.filePath(QStringLiteral("pages.tif"));
    ASSERT_TRUE(runTool(QStringLiteral("convert"), {png, second, pages}));
    expectQuadrantColours(decodeWithQt(readFile(pages), ImageFormat::Tiff));
}

TEST(QtReaderDecoder, DecodesHandMadeBitmaps)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    // RLE4, bottom line first: red blue red blue, then four blue.
    const QByteArray rle4 = bmp(4, 2, 4, 2, bmpPalette({red, blue}),
                                QByteArray("\x04\x01\x00\x00\x04\x11\x00\x00\x00\x01", 10));
    QImage image = decodeWithQt(rle4, ImageFormat::Bmp);
    EXPECT_EQ(image.pixel(0, 0), blue);
    EXPECT_EQ(image.pixel(0, 1), red);
    EXPECT_EQ(image.pixel(1, 1), blue);

    // 24 bit stored top-down (negative height): the first line in the file is the top.
    const QByteArray topDown =
        bmp(1, -2, 24, 0, {}, QByteArray("\x00\x00\xFF\x00\x00\xFF\x00\x00", 8));
    image = decodeWithQt(topDown, ImageFormat::Bmp);
    EXPECT_EQ(image.size(), QSize(1, 2));
    EXPECT_EQ(image.pixel(0, 0), red);
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 255, 0));
}

TEST(QtReaderDecoder, GreyAndTransparentPngKeepTheirNature)
{
    QImage grey(4, 4, QImage::Format_Grayscale8);
    grey.fill(100);
    QImage alpha(4, 4, QImage::Format_ARGB32);
    alpha.fill(qRgba(10, 20, 30, 40));
    QImage mono(9, 3, QImage::Format_Mono);
    mono.fill(1);
    for (const auto& [image, format] :
         {std::pair{grey, QImage::Format_Grayscale8}, std::pair{alpha, QImage::Format_ARGB32},
          std::pair{mono, QImage::Format_Mono}}) {
        const QByteArray png = encoded(image, "PNG");
        const QImage got = decodeWithQt(png, ImageFormat::Png);
        EXPECT_EQ(got.format(), format);
        EXPECT_EQ(got.pixel(1, 1), image.pixel(1, 1));
    }
}

TEST(QtReaderDecoder, ReducesALargePictureThatIsWantedSmall)
{
    const QByteArray png = encoded(quadrants(400, 300), "PNG");
    EXPECT_EQ(decodeWithQt(png, ImageFormat::Png, {100, 50}).size(), QSize(100, 75));
    EXPECT_EQ(decodeWithQt(png, ImageFormat::Png, {250, 50}).size(), QSize(400, 300));
    EXPECT_EQ(decodeWithQt(png, ImageFormat::Png).size(), QSize(400, 300));
    expectQuadrantColours(decodeWithQt(png, ImageFormat::Png, {100, 50}));
}

TEST(QtReaderDecoder, HostileFiles)
{
    // GIF: logical screen and frame of 65535 x 65535 in a few bytes.
    Bytes gif;
    gif.raw("GIF89a").u16(65535).u16(65535).u8(0x80).u8(0).u8(0);
    gif.raw(QByteArray(6, '\0'));
    gif.u8(0x2C).u16(0).u16(0).u16(65535).u16(65535).u8(0).u8(2).u8(2).u8(0x4C).u8(0x01).u8(0);
    gif.u8(0x3B);
    // GIF with a broken LZW stream.
    Bytes badLzw;
    badLzw.raw("GIF89a").u16(8).u16(8).u8(0x80).u8(0).u8(0).raw(QByteArray(6, '\x55'));
    badLzw.u8(0x2C).u16(0).u16(0).u16(8).u16(8).u8(0).u8(2).u8(5).raw("\xFF\xFF\xFF\xFF\xFF");
    badLzw.u8(0).u8(0x3B);
    // ICO whose image lies past the end of the file, and one whose bitmap claims a huge size.
    Bytes icoPastEnd;
    icoPastEnd.u16(0).u16(1).u16(1).u8(16).u8(16).u8(0).u8(0).u16(1).u16(32).u32(1128);
    icoPastEnd.u32(0x7FFFFFF0);
    Bytes icoHuge;
    icoHuge.u16(0).u16(1).u16(1).u8(16).u8(16).u8(0).u8(0).u16(1).u16(32).u32(60).u32(22);
    icoHuge.u32(40).u32(100000).u32(200000).u16(1).u16(32).u32(0).u32(0).u32(0).u32(0).u32(0).u32(
        0);
    icoHuge.raw(QByteArray(20, '\0'));

    struct Case {
        const char* name;
        QByteArray bytes;
        ImageFormat format;
        QString outcome; // empty: any clean outcome; "refused": too large or an error
    };
    const Case cases[] = {
        {"GIF 65535 x 65535", gif.data, ImageFormat::Gif, QStringLiteral("refused")},
        {"GIF with bad LZW", badLzw.data, ImageFormat::Gif, {}},
        {"BMP 60000 x 60000", bmp(60000, 60000, 24, 0, {}, QByteArray(16, '\0')), ImageFormat::Bmp,
         QStringLiteral("refused")},
        {"BMP 30000 x 30000", bmp(30000, 30000, 24, 0, {}, QByteArray(16, '\0')), ImageFormat::Bmp,
         QStringLiteral("refused")},
        {"BMP zero bitfield masks",
         bmp(2, 2, 32, 3, QByteArray(12, '\0'), QByteArray(16, '\x7F')),
         ImageFormat::Bmp,
         {}},
        {"BMP data missing", bmp(200, 200, 24, 0, {}, QByteArray(16, '\0')), ImageFormat::Bmp, {}},
        {"ICO offset past the end", icoPastEnd.data, ImageFormat::Ico, QStringLiteral("error")},
        {"ICO bitmap claiming 100000 x 100000", icoHuge.data, ImageFormat::Ico, {}},
        {"TIFF sound", tiff({4, 4}), ImageFormat::Tiff, QStringLiteral("decoded 4 x 4")},
        {"TIFF with 5000 bogus tags", tiff({4, 4, 5000}), ImageFormat::Tiff, {}},
        {"TIFF strip longer than the file", tiff({4, 4, 0, 1 << 30}), ImageFormat::Tiff, {}},
        {"TIFF strip past the end", tiff({4, 4, 0, -1, 1 << 30}), ImageFormat::Tiff,
         QStringLiteral("error")},
        {"TIFF larger than its strip",
         tiff({4, 4, 0, 16}).replace(18, 2, "\x00\x7F", 2),
         ImageFormat::Tiff,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString got = outcome(c.bytes, c.format);
        if (c.outcome.isEmpty())
            EXPECT_TRUE(got.startsWith(QLatin1String("decoded")) || got == QLatin1String("error"))
                << got.toStdString();
        else if (c.outcome == QLatin1String("refused"))
            EXPECT_TRUE(got == QLatin1String("too large") || got == QLatin1String("error"))
                << got.toStdString();
        else
            EXPECT_EQ(got, c.outcome);
    }
}

} // namespace
} // namespace pagula::imaging
