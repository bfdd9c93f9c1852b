#include "Fixtures.h"

#include "imaging/ImageIO.h"
#include "imaging/Orientation.h"

#include <functional>
#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

// Where the stored picture keeps each pixel of the upright one, as EXIF defines the
// orientations (which side of the upright picture the stored rows and columns run along).
QPoint uprightPoint(int orientation, int x, int y, QSize upright)
{
    const int w = upright.width(), h = upright.height();
    switch (orientation) {
    case 2:
        return {w - 1 - x, y};
    case 3:
        return {w - 1 - x, h - 1 - y};
    case 4:
        return {x, h - 1 - y};
    case 5:
        return {y, x};
    case 6:
        return {w - 1 - y, x};
    case 7:
        return {w - 1 - y, h - 1 - x};
    case 8:
        return {y, h - 1 - x};
    default:
        return {x, y};
    }
}

QImage stored(const QImage& upright, int orientation)
{
    const QSize size = storedSize(upright.size(), orientation);
    QImage out(size, upright.format());
    out.setColorTable(upright.colorTable());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QPoint p = uprightPoint(orientation, x, y, upright.size());
            out.setPixel(x, y,
                         upright.format() == QImage::Format_Mono ? upright.pixelIndex(p)
                                                                 : upright.pixel(p));
        }
    }
    return out;
}

QImage numbered(QImage::Format format)
{
    QImage image(7, 3, format);
    if (format == QImage::Format_Mono)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            const int n = y * 7 + x;
            if (format == QImage::Format_Mono)
                image.setPixel(x, y, (n * 5 + n / 3) % 2);
            else if (format == QImage::Format_Grayscale8)
                image.scanLine(y)[x] = uchar(n * 11);
            else
                image.setPixel(x, y, qRgb(n * 11, 255 - n, n));
        }
    }
    return image;
}

TEST(Orientation, EveryStoredOrientationComesOutUpright)
{
    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_Grayscale8, QImage::Format_Mono}) {
        const QImage upright = numbered(format);
        for (int o = 1; o <= 8; ++o) {
            SCOPED_TRACE(testing::Message() << "format " << format << ", orientation " << o);
            const QImage turned = orientUpright(stored(upright, o), o);
            EXPECT_EQ(turned.format(), format);
            ASSERT_EQ(turned.size(), upright.size());
            for (int y = 0; y < upright.height(); ++y) {
                for (int x = 0; x < upright.width(); ++x)
                    ASSERT_EQ(turned.pixel(x, y), upright.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

void expectUprightQuadrants(const QImage& image, QSize size)
{
    ASSERT_EQ(image.size(), size);
    for (double fy : {0.25, 0.75}) {
        for (double fx : {0.25, 0.75}) {
            const QRgb got = image.pixel(int(fx * size.width()), int(fy * size.height()));
            EXPECT_TRUE(near(got, quadrantColour(fx, fy)))
                << std::hex << got << " at " << fx << "," << fy;
        }
    }
}

TEST(Orientation, PhonePhotosShowUpright)
{
    const QImage upright = quadrants(64, 48);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(testing::Message() << "orientation " << o);
        JpegWriteOptions withExif;
        withExif.app1 = exifBlock(o);
        const QByteArray jpeg = writeJpeg(stored(upright, o), withExif);
        expectUprightQuadrants(decodeData(jpeg), upright.size());
        EXPECT_EQ(probeData(jpeg).orientedSize(), upright.size());

        DecodeRequest asStored;
        asStored.applyOrientation = false;
        EXPECT_EQ(decodeData(jpeg, asStored).size(), storedSize(upright.size(), o));
    }
}

TEST(Orientation, AgreesWithImageMagicksAutoOrient)
{
    if (!haveTool(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QTemporaryDir dir;
    const QImage source = quadrants(64, 48);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(testing::Message() << "orientation " << o);
        JpegWriteOptions withExif;
        withExif.app1 = exifBlock(o, 0, 0, 2, o % 2 == 0);
        const QString jpg = dir.filePath(QStringLiteral("o%1.jpg").arg(o));
        const QString png = dir.filePath(QStringLiteral("o%1.png").arg(o));
        writeFile(jpg, writeJpeg(source, withExif));
        QString error;
        ASSERT_TRUE(
            runTool(QStringLiteral("convert"), {jpg, QStringLiteral("-auto-orient"), png}, &error))
            << error.toStdString();
        const QImage want(png);
        const QImage got = decodeFile(jpg);
        ASSERT_EQ(got.size(), want.size());
        for (const QPoint p :
             {QPoint(8, 8), QPoint(got.width() - 8, 8), QPoint(8, got.height() - 8),
              QPoint(got.width() - 8, got.height() - 8)})
            EXPECT_TRUE(near(got.pixel(p), want.pixel(p), 8)) << p.x() << "," << p.y();
    }
}

TEST(Orientation, TiffOrientationTagIsHonoured)
{
    TiffFields fields;
    fields.width = 5;
    fields.height = 3;
    fields.orientation = 6;
    const QImage image = decodeData(tiff(fields));
    ASSERT_EQ(image.size(), QSize(3, 5));
    // Stored pixel (x, y) has grey (y * 5 + x) * 7; orientation 6 turns it a quarter clockwise.
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 3; ++x) {
            const int sx = y, sy = 2 - x;
            EXPECT_EQ(qGray(image.pixel(x, y)), ((sy * 5 + sx) * 7) & 0xFF) << x << "," << y;
        }
    }
}

TEST(Orientation, ReducedDecodeIsChosenForTheUprightSize)
{
    // Stored lying on its side: 120 x 200; upright 200 x 120.
    JpegWriteOptions withExif;
    withExif.app1 = exifBlock(6);
    const QByteArray jpeg = writeJpeg(stored(quadrants(200, 120), 6), withExif);
    DecodeRequest request;
    request.atLeast = QSize(50, 30);
    expectUprightQuadrants(decodeData(jpeg, request), QSize(50, 30));
    request.atLeast = QSize(51, 30);
    EXPECT_EQ(decodeData(jpeg, request).size(), QSize(100, 60));
}

} // namespace
} // namespace pagula::imaging
