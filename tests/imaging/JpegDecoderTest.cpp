#include "Fixtures.h"

#include "imaging/Adjustments.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegEncoder.h"
#include "imaging/JpegScale.h"
#include "imaging/Probe.h"

#include <QtEndian>

#include "support/TestSupport.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

QImage greyQuadrants()
{
    return quadrants().convertToFormat(QImage::Format_Grayscale8);
}

// The colour of a decoded picture at the centre of each quadrant.
void expectQuadrants(const QImage& image, int tolerance = 24)
{
    const QImage grey = greyQuadrants();
    for (double fy : {0.25, 0.75}) {
        for (double fx : {0.25, 0.75}) {
            const QRgb got = image.pixel(int(fx * image.width()), int(fy * image.height()));
            QRgb want = quadrantColour(fx, fy);
            if (image.format() == QImage::Format_Grayscale8)
                want = grey.pixel(int(fx * grey.width()), int(fy * grey.height()));
            EXPECT_TRUE(near(got, want, tolerance))
                << std::hex << got << " != " << want << " at " << fx << "," << fy;
        }
    }
}

TEST(JpegDecoder, DecodesBaselineProgressiveAndGreyscale)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QImage::Format format;
    };
    JpegWriteOptions progressive;
    progressive.progressive = true;
    const Case cases[] = {
        {"baseline", writeJpeg(quadrants()), QImage::Format_RGB32},
        {"progressive", writeJpeg(quadrants(), progressive), QImage::Format_RGB32},
        {"greyscale", writeJpeg(greyQuadrants()), QImage::Format_Grayscale8},
        {"greyscale progressive", writeJpeg(greyQuadrants(), progressive),
         QImage::Format_Grayscale8},
        {"our own, colour", encodeJpeg(quadrants(), 90), QImage::Format_RGB32},
        {"our own, greyscale", encodeJpeg(greyQuadrants(), 90), QImage::Format_Grayscale8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const JpegDecoded d = decodeJpeg(c.bytes);
        EXPECT_EQ(d.image.size(), QSize(64, 48));
        EXPECT_EQ(d.image.format(), c.format);
        EXPECT_EQ(d.warnings, 0);
        expectQuadrants(d.image);
    }
    // Our encoder takes the two formats pictures are prepared in, nothing else.
    EXPECT_TRUE(encodeJpeg(quadrants().convertToFormat(QImage::Format_Mono), 90).isEmpty());
}

TEST(JpegDecoder, LuminanceOnlyDecodesColourPicturesGrey)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QImage::Format format;
    };
    const Case cases[] = {
        {"colour", writeJpeg(quadrants()), QImage::Format_Grayscale8},
        {"greyscale", writeJpeg(greyQuadrants()), QImage::Format_Grayscale8},
        // CMYK has no luminance plane: it is decoded in colour as always.
        {"cmyk", writeCmykJpeg(16, 16, {0, 128, 255, 0}, false), QImage::Format_RGB32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage full = decodeJpeg(c.bytes).image;
        const QImage luminance = decodeJpeg(c.bytes, {{}, false, true}).image;
        ASSERT_EQ(luminance.format(), c.format);
        ASSERT_EQ(luminance.size(), full.size());
        if (c.format != QImage::Format_Grayscale8)
            continue;
        // The Y plane and the greyscale adjustment of the colour decode agree within rounding.
        Adjustments greyscale;
        greyscale.colorMode = ColorMode::Greyscale;
        const QImage grey = applyAdjustments(full, greyscale);
        ASSERT_EQ(grey.format(), QImage::Format_Grayscale8);
        // Only where saturated colours meet does the colour decode clip its upsampled chroma.
        int worst = 0;
        long total = 0;
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x) {
                const int d =
                    std::abs(int(grey.constScanLine(y)[x]) - int(luminance.constScanLine(y)[x]));
                worst = std::max(worst, d);
                total += d;
            }
        EXPECT_LE(worst, 12);
        EXPECT_LE(double(total) / (grey.width() * grey.height()), 1.0);
    }
}

TEST(JpegDecoder, CmykPlainAndAdobeInvertedGiveTheSameColours)
{
    struct Case {
        std::array<quint8, 4> cmyk;
        QRgb rgb;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, qRgb(255, 255, 255)},   {{255, 0, 0, 0}, qRgb(0, 255, 255)},
        {{0, 255, 255, 0}, qRgb(255, 0, 0)},   {{0, 0, 0, 255}, qRgb(0, 0, 0)},
        {{0, 0, 0, 128}, qRgb(127, 127, 127)}, {{0, 128, 255, 0}, qRgb(255, 127, 0)},
    };
    for (const Case& c : cases) {
        for (bool adobe : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hex << c.rgb << (adobe ? " Adobe" : " plain"));
            const JpegDecoded d = decodeJpeg(writeCmykJpeg(16, 16, c.cmyk, adobe));
            EXPECT_EQ(d.image.format(), QImage::Format_RGB32);
            EXPECT_TRUE(near(d.image.pixel(8, 8), c.rgb, 4)) << std::hex << d.image.pixel(8, 8);
        }
    }
}

TEST(JpegDecoder, CmykFromImageMagickKeepsItsColours)
{
    if (!haveTool(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("q.png"));
    const QString jpg = dir.filePath(QStringLiteral("q.jpg"));
    ASSERT_TRUE(quadrants().save(png));
    QString error;
    ASSERT_TRUE(runTool(QStringLiteral("convert"),
                        {png, QStringLiteral("-colorspace"), QStringLiteral("CMYK"),
                         QStringLiteral("-quality"), QStringLiteral("95"), jpg},
                        &error))
        << error.toStdString();
    expectQuadrants(decodeJpeg(readFile(jpg)).image, 30);
}

TEST(JpegDecoder, ScalesByTheDctToTheSmallestSizeAsked)
{
    const QImage source = quadrants(200, 120);
    const QByteArray bytes = writeJpeg(source);
    struct Case {
        QSize atLeast;
        int eighths;
        QSize size;
    };
    const Case cases[] = {
        {{}, 8, {200, 120}},       {{300, 300}, 8, {200, 120}}, {{151, 10}, 8, {200, 120}},
        {{101, 10}, 5, {125, 75}}, {{100, 60}, 4, {100, 60}},   {{75, 45}, 4, {100, 60}},
        {{76, 45}, 4, {100, 60}},  {{50, 30}, 2, {50, 30}},     {{26, 15}, 2, {50, 30}},
        {{25, 15}, 1, {25, 15}},   {{1, 1}, 1, {25, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.atLeast.width() << "x" << c.atLeast.height());
        const JpegDecoded d = decodeJpeg(bytes, {c.atLeast});
        EXPECT_EQ(d.eighths, c.eighths);
        EXPECT_EQ(d.image.size(), c.size);
        EXPECT_EQ(d.fullSize, QSize(200, 120));
        expectQuadrants(d.image);
    }
    // Odd sizes round up, as libjpeg does.
    EXPECT_EQ(decodeJpeg(writeJpeg(quadrants(201, 121)), {{1, 1}}).image.size(), QSize(26, 16));
}

TEST(JpegScale, KeepsWithinTheLimits)
{
    struct Case {
        QSize full, atLeast;
        int bits;
        bool shrink;
        int eighths;
        int largest = JpegFullScale;
    };
    const Case cases[] = {
        {{65500, 65500}, {}, 32, false, 0},
        {{65500, 65500}, {10000, 10000}, 32, false, 0}, // 2/8 is 16375 x 16375
        {{65500, 65500}, {100, 100}, 32, false, 1},     // 8188 x 8188 x 4 is just below 256 MiB
        {{65500, 65500}, {}, 32, true, 1},
        {{16000, 16000}, {}, 32, false, 0}, // 1 GB at full size
        {{16000, 16000}, {}, 32, true, 4},  // 8000 x 8000 x 4 fits exactly under 256 MiB
        {{16000, 16000}, {}, 8, false, 8},
        {{40000, 100}, {}, 8, false, 0}, // a side beyond 32768
        {{40000, 100}, {}, 8, true, 6},  // 30000 wide; 7/8 would be 35000
        {{40000, 100}, {5000, 10}, 8, false, 1},
        {{40000, 100}, {20000, 10}, 8, false, 4},
        {{40000, 100}, {20001, 10}, 8, false, 5}, // 8/8 would be 2.56 times the pixels
        // The faster 4/8 or 8/8 instead of 3/8, 6/8, 7/8, where it fits.
        {{800, 600}, {560, 10}, 8, false, 8},
        {{80000, 100}, {30000, 10}, 8, false, 3}, // 4/8 would be 40000 wide
        {{40000, 100}, {26000, 10}, 8, false, 6},
        {{8000, 6000}, {}, 32, false, 8},
        // Larger than the picture only when asked for, up to twice its size.
        {{200, 120}, {300, 180}, 32, false, 12, JpegLargestScale},
        {{200, 120}, {300, 300}, 32, false, 16, JpegLargestScale},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.full.width() << "x" << c.full.height() << " at least "
                                        << c.atLeast.width() << "x" << c.atLeast.height());
        EXPECT_EQ(chooseJpegScale(c.full, c.atLeast, c.bits, c.shrink, c.largest), c.eighths);
    }
}

// Any JPEG with its frame header's size replaced.
QByteArray withFrameSize(QByteArray jpeg, quint16 width, quint16 height)
{
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    EXPECT_GT(sof, 0);
    qToBigEndian(height, jpeg.data() + sof + 5);
    qToBigEndian(width, jpeg.data() + sof + 7);
    return jpeg;
}

TEST(JpegDecoder, RefusesAHugeHeaderBeforeDecoding)
{
    const QByteArray bytes = withFrameSize(writeJpeg(quadrants(16, 16), {}), 65500, 65500);
    ASSERT_LT(bytes.size(), 1024);
    try {
        decodeJpeg(bytes);
        ADD_FAILURE() << "decoded";
    } catch (const PictureTooLargeError& e) {
        EXPECT_EQ(e.pixelSize(), QSize(65500, 65500));
        EXPECT_EQ(e.message(), QStringLiteral("Picture is too large (65500 x 65500 pixels)"));
    }
    // A reduced decode would fit the limits, but the file cannot hold such a picture.
    for (const JpegDecodeOptions& o :
         {JpegDecodeOptions{{100, 100}}, JpegDecodeOptions{{}, true}}) {
        EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeJpeg(bytes, o); }),
                  QStringLiteral("JPEG file is far too short for a 65500 x 65500 picture"));
    }
}

TEST(JpegDecoder, FailuresCarryLibjpegsMessageNumber)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        int code;
    };
    const Case cases[] = {
        {"empty", QByteArray(), JERR_INPUT_EMPTY},
        {"one byte", QByteArray("\xFF", 1), JERR_NO_SOI},
        {"not a JPEG", QByteArray("GIF89a, not a JPEG"), JERR_NO_SOI},
        {"start marker only", QByteArray("\xFF\xD8", 2), JERR_NO_IMAGE},
        {"bad frame header", withFrameSize(writeJpeg(quadrants()), 0, 0), JERR_EMPTY_IMAGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The number and libjpeg's own text for it.
        const QString message = pagula::test::errorOf<ImageError>([&] { decodeJpeg(c.bytes); });
        EXPECT_TRUE(message.startsWith(QStringLiteral("JPEG error #%1: ").arg(c.code)))
            << message.toStdString();
        EXPECT_GT(message.size(), QStringLiteral("JPEG error #%1: ").arg(c.code).size() + 5);
    }
}

TEST(JpegDecoder, AFileCutShortShowsWhatWasRead)
{
    // Fine detail, so that the scan data is most of the file and the cut falls into it.
    const QImage detailed = noisyQuadrants(128, 96);
    JpegWriteOptions fine;
    fine.quality = 98;
    const QByteArray whole = writeJpeg(detailed, fine);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    ASSERT_GT(scan, 0);
    const JpegDecoded d = decodeJpeg(whole.left(scan + (whole.size() - scan) * 6 / 10));
    EXPECT_EQ(d.image.size(), QSize(128, 96));
    EXPECT_GT(d.warnings, 0);
    EXPECT_TRUE(near(d.image.pixel(32, 24), quadrantColour(0.25, 0.25)));
    EXPECT_TRUE(near(d.image.pixel(96, 24), quadrantColour(0.75, 0.25)));
    EXPECT_FALSE(near(d.image.pixel(96, 90), quadrantColour(0.75, 0.75)));
}

std::vector<JpegScan> oneScanPerCoefficient(int components)
{
    std::vector<JpegScan> scans{{-1, 0, 0, 0, 0}};
    for (int c = 0; c < components; ++c) {
        for (int k = 1; k < 64; ++k)
            scans.push_back({c, k, k, 0, 0});
    }
    return scans;
}

TEST(JpegDecoder, StopsAProgressiveFileWithHundredsOfScans)
{
    JpegWriteOptions many;
    many.scans = oneScanPerCoefficient(3); // 190 scans
    const QByteArray bytes = writeJpeg(quadrants(), many);
    EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeJpeg(bytes); }),
              QStringLiteral("JPEG file has more than 100 scans"));

    // Counted before decoding, per component; neither a JPEG inside a segment (a thumbnail)
    // nor what follows the end marker counts.
    const QByteArray small = writeJpeg(quadrants(16, 16));
    const QByteArray thumbnail = QByteArray("\xFF\xE1", 2) +
                                 QByteArray(1, char((small.size() + 2) >> 8)) +
                                 QByteArray(1, char((small.size() + 2) & 0xFF)) + small;
    for (const QByteArray& b : {bytes, bytes.left(2) + thumbnail + bytes.mid(2), bytes + small}) {
        const JpegScans scans = countJpegScans(b, 1000);
        EXPECT_EQ(scans.count, 190);
        EXPECT_EQ(scans.perComponent[1], 64);
        EXPECT_EQ(scans.perComponent[3], 64);
        EXPECT_EQ(scans.coefficientsPerComponent[1], 64); // one coefficient a scan
    }
    EXPECT_EQ(countJpegScans(bytes, 100).count, 101);

    JpegWriteOptions allowed;
    allowed.scans = oneScanPerCoefficient(1); // 64 scans
    expectQuadrants(decodeJpeg(writeJpeg(greyQuadrants(), allowed)).image);
}

} // namespace
} // namespace pagula::imaging
