#include "imaging/Adjustments.h"
#include "imaging/GreyReduction.h"

#include <cmath>
#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

QImage greyPixels(std::initializer_list<int> values)
{
    QImage image(int(values.size()), 1, QImage::Format_Grayscale8);
    int x = 0;
    for (int v : values)
        image.scanLine(0)[x++] = uchar(v);
    return image;
}

QImage colourPixel(QRgb c, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(1, 1, format);
    image.setPixel(0, 0, c);
    return image;
}

QImage mono(const QList<QRgb>& table)
{
    QImage image(10, 1, QImage::Format_Mono);
    image.setColorTable(table);
    for (int x = 0; x < 10; ++x)
        image.setPixel(x, 0, x % 2);
    return image;
}

TEST(Adjustments, NeutralSettingsChangeNothing)
{
    QImage argb(3, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 40));
    for (const QImage& image : {colourPixel(qRgb(1, 2, 3)), argb, greyPixels({0, 77, 255}),
                                mono({qRgb(0, 0, 0), qRgb(255, 255, 255)})}) {
        const QImage out = applyAdjustments(image, {});
        EXPECT_EQ(out, image);
        EXPECT_EQ(out.format(), image.format());
    }
}

TEST(Adjustments, BrightnessAndContrastOnKnownValues)
{
    struct Case {
        double brightness, contrast;
        int in, out;
    };
    const Case cases[] = {
        // Brightness 0 is black and 1 white, whatever the contrast.
        {0.0, 0.5, 255, 0},
        {0.0, 0.0, 200, 0},
        {0.0, 1.0, 255, 0},
        {1.0, 0.5, 0, 255},
        {1.0, 0.0, 10, 255},
        {1.0, 1.0, 0, 255},
        // Brightness shifts by (b - 0.5) * 510.
        {0.75, 0.5, 100, 228},
        {0.25, 0.5, 100, 0},
        {0.6, 0.5, 100, 151},
        // Contrast 0 is flat mid-grey.
        {0.5, 0.0, 0, 128},
        {0.5, 0.0, 255, 128},
        // Slope tan(c * pi / 2) about the middle.
        {0.5, 0.75, 100, 61},
        {0.5, 0.75, 200, 255},
        {0.5, 0.25, 0, 75},
        {0.5, 0.25, 255, 180},
        // Contrast 1 is a hard threshold at mid-grey.
        {0.5, 1.0, 127, 0},
        {0.5, 1.0, 128, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "b " << c.brightness << " c " << c.contrast << " in " << c.in);
        Adjustments a;
        a.brightness = c.brightness;
        a.contrast = c.contrast;
        const QImage grey = applyAdjustments(greyPixels({c.in}), a);
        EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
        EXPECT_EQ(grey.constScanLine(0)[0], c.out);
        // Each colour channel the same way.
        const QRgb rgb = applyAdjustments(colourPixel(qRgb(c.in, 255 - c.in, c.in)), a).pixel(0, 0);
        EXPECT_EQ(qRed(rgb), c.out);
        EXPECT_EQ(qBlue(rgb), c.out);
        EXPECT_EQ(qGreen(rgb), applyAdjustments(greyPixels({255 - c.in}), a).constScanLine(0)[0]);
    }
}

TEST(Adjustments, ContrastRisesSteadily)
{
    int lastLight = 0, lastDark = 255;
    for (int step = 0; step <= 20; ++step) {
        Adjustments a;
        a.contrast = step / 20.0;
        const QImage out = applyAdjustments(greyPixels({60, 200}), a);
        EXPECT_LE(out.constScanLine(0)[0], lastDark);
        EXPECT_GE(out.constScanLine(0)[1], lastLight);
        lastDark = out.constScanLine(0)[0];
        lastLight = out.constScanLine(0)[1];
    }
    EXPECT_EQ(lastDark, 0);
    EXPECT_EQ(lastLight, 255);
}

TEST(Adjustments, GreyscaleByLuminance)
{
    Adjustments a;
    a.colorMode = ColorMode::Greyscale;
    struct Case {
        QRgb in;
        int grey;
    };
    for (const Case& c :
         {Case{qRgb(255, 0, 0), 76}, Case{qRgb(0, 255, 0), 150}, Case{qRgb(0, 0, 255), 29},
          Case{qRgb(255, 255, 255), 255}, Case{qRgb(90, 90, 90), 90}}) {
        const QImage out = applyAdjustments(colourPixel(c.in), a);
        EXPECT_EQ(out.format(), QImage::Format_Grayscale8);
        EXPECT_NEAR(out.constScanLine(0)[0], c.grey, 1) << std::hex << c.in;
    }
    // Transparent parts are seen on white paper.
    const QImage clear = applyAdjustments(colourPixel(qRgba(0, 0, 0, 0), QImage::Format_ARGB32), a);
    EXPECT_EQ(clear.constScanLine(0)[0], 255);
    const QImage half =
        applyAdjustments(colourPixel(qRgba(0, 0, 0, 128), QImage::Format_ARGB32), a);
    EXPECT_NEAR(half.constScanLine(0)[0], 127, 1);
}

TEST(Adjustments, BlackAndWhiteThresholdsAfterTheAdjustments)
{
    const QImage source = greyPixels({0, 127, 128, 255, 100, 90, 140, 250, 30});
    Adjustments a;
    a.colorMode = ColorMode::BlackAndWhite;
    const QImage plain = applyAdjustments(source, a);
    ASSERT_EQ(plain.format(), QImage::Format_Mono);
    EXPECT_EQ(plain.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    const int wantPlain[] = {0, 0, 1, 1, 0, 0, 1, 1, 0};
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(plain.pixelIndex(x, 0), wantPlain[x]) << x;

    a.brightness = 0.6; // +51: 100 and 90 become light
    const QImage brighter = applyAdjustments(source, a);
    const int wantBrighter[] = {0, 1, 1, 1, 1, 1, 1, 1, 0};
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(brighter.pixelIndex(x, 0), wantBrighter[x]) << x;

    const QImage colour = applyAdjustments(colourPixel(qRgb(0, 255, 0)), a);
    EXPECT_EQ(colour.format(), QImage::Format_Mono);
    EXPECT_EQ(colour.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Adjustments, OneBitPicturesStayOneBitWhereTheyCan)
{
    const QImage inverted = mono({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    Adjustments dark;
    dark.brightness = 0.0;
    const QImage black = applyAdjustments(inverted, dark);
    EXPECT_EQ(black.format(), QImage::Format_Mono);
    EXPECT_EQ(black.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(black.pixel(1, 0), qRgb(0, 0, 0));

    Adjustments bw;
    bw.colorMode = ColorMode::BlackAndWhite;
    const QImage normalised = applyAdjustments(inverted, bw);
    EXPECT_EQ(normalised.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(normalised.pixel(x, 0), inverted.pixel(x, 0)) << x;

    Adjustments grey;
    grey.colorMode = ColorMode::Greyscale;
    const QImage g = applyAdjustments(mono({qRgb(255, 0, 0), qRgb(255, 255, 255)}), grey);
    EXPECT_EQ(g.format(), QImage::Format_Grayscale8);
    EXPECT_NEAR(g.constScanLine(0)[0], 76, 1);
    EXPECT_EQ(g.constScanLine(0)[1], 255);
}

TEST(Adjustments, NonsenseSettingsAreTamed)
{
    const QImage source = greyPixels({10, 200});
    Adjustments a;
    a.brightness = std::nan("");
    a.contrast = std::numeric_limits<double>::infinity();
    EXPECT_EQ(applyAdjustments(source, a), source);
    a.brightness = 7.0;
    a.contrast = 0.5;
    EXPECT_EQ(applyAdjustments(source, a).constScanLine(0)[0], 255);
    a.brightness = -3.0;
    EXPECT_EQ(applyAdjustments(source, a).constScanLine(0)[1], 0);
}

TEST(GreyReduction, EachPixelIsTheMeanOfTheAreaItCovers)
{
    const struct {
        QImage source;
        QSize target;
        std::vector<int> expected; // row by row
    } cases[] = {
        {greyPixels({0, 100, 200, 50}), {2, 1}, {50, 125}},
        {greyPixels({0, 90, 180}), {2, 1}, {30, 150}}, // the middle pixel half in each
        {greyPixels({0, 90, 180}), {1, 1}, {90}},
        {greyPixels({7, 200, 13}), {3, 1}, {7, 200, 13}}, // same size: unchanged
        {greyPixels({255, 255, 255, 255, 255}), {3, 1}, {255, 255, 255}},
    };
    for (const auto& c : cases) {
        const QImage out = reduceGrey(c.source, c.target);
        ASSERT_EQ(out.size(), c.target);
        ASSERT_EQ(out.format(), QImage::Format_Grayscale8);
        for (int x = 0; x < out.width(); ++x)
            EXPECT_EQ(out.constScanLine(0)[x], c.expected[size_t(x)]) << x;
    }
    // Down as across: a column of 0, 90, 180 is the row above turned.
    QImage column(1, 3, QImage::Format_Grayscale8);
    for (int y = 0; y < 3; ++y)
        column.scanLine(y)[0] = uchar(90 * y);
    const QImage down = reduceGrey(column, {1, 2});
    EXPECT_EQ(down.constScanLine(0)[0], 30);
    EXPECT_EQ(down.constScanLine(1)[0], 150);
    // Far larger reductions go in steps and still keep the level.
    QImage wide(1000, 2, QImage::Format_Grayscale8);
    wide.fill(77);
    EXPECT_EQ(reduceGrey(wide, {1, 1}).constScanLine(0)[0], 77);
    // Nothing to enlarge, nothing but grey.
    EXPECT_TRUE(reduceGrey(greyPixels({1, 2}), {3, 1}).isNull());
    EXPECT_TRUE(reduceGrey(colourPixel(qRgb(1, 2, 3)), {1, 1}).isNull());
}

} // namespace
} // namespace pagula::imaging
