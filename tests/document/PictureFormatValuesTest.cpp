#include "document/PictureFormatValues.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pagula::document;

namespace
{

constexpr double Pi = 3.14159265358979323846;

// LibreOffice's contrast slope for a percentage.
double officeSlope(double percent)
{
    return percent >= 0 ? 128.0 / (128.0 - 1.27 * percent) : (128.0 + 1.27 * percent) / 128.0;
}

TEST(PictureFormatValues, ContrastPercentGivesOurSlope)
{
    for (const double c : {0.05, 0.2, 0.37, 0.5, 0.63, 0.8, 0.9, 0.95}) {
        const double percent = contrastPercent(c);
        EXPECT_GE(percent, -100.0);
        EXPECT_LE(percent, 100.0);
        EXPECT_NEAR(officeSlope(percent), std::tan(c * Pi / 2.0), 1e-9) << c;
    }
    EXPECT_NEAR(contrastPercent(0.5), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(contrastPercent(1.0), 100.0); // a hard threshold, as far as it goes
    EXPECT_DOUBLE_EQ(contrastPercent(0.0), -100.0);
    EXPECT_NEAR(contrastPercent(std::nan("")), 0.0, 1e-9);
}

TEST(PictureFormatValues, LuminanceShiftsAsOurBrightness)
{
    const struct {
        double brightness;
        double percent;
    } cases[] = {{0.5, 0.0}, {0.0, -100.0}, {1.0, 100.0}, {0.53, 6.0}, {0.25, -50.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(luminancePercent(c.brightness), c.percent, 1e-9);
        // LibreOffice adds percent * 2.55; our renderer (b - 0.5) * 510.
        EXPECT_NEAR(luminancePercent(c.brightness) * 2.55, (c.brightness - 0.5) * 510.0, 1e-9);
    }
}

// Office applies half the brightness before the contrast and half after; with the value we
// write it lands where our renderer puts a level: contrast first, then the whole shift.
TEST(PictureFormatValues, DrawingMlBrightnessLandsWhereOursDoes)
{
    for (const double b : {0.3, 0.5, 0.6, 0.75})
        for (const double c : {0.3, 0.5, 0.7}) {
            const double slope = std::tan(c * Pi / 2.0);
            const double shift = (b - 0.5) * 510.0;
            const double office = drawingMlBrightness(b, c) / 1000.0 * 2.55;
            for (int v = 0; v < 256; v += 15) {
                const double ours = (v - 128) * slope + 128 + shift;
                const double theirs = (v + office / 2 - 128) * slope + 128 + office / 2;
                EXPECT_NEAR(theirs, ours, 0.01) << b << ' ' << c << ' ' << v;
            }
        }
    EXPECT_EQ(drawingMlBrightness(0.5, 0.8), 0);
    EXPECT_EQ(drawingMlBrightness(0.6, 0.5), 20000);
    EXPECT_EQ(drawingMlContrast(0.5), 0);
    EXPECT_EQ(drawingMlContrast(0.75), static_cast<int>(std::lround(contrastPercent(0.75) * 1000)));
}

TEST(PictureFormatValues, LengthsAndCrops)
{
    EXPECT_EQ(odfPoints(12), QStringLiteral("12pt"));
    EXPECT_EQ(odfPoints(165.2805), QStringLiteral("165.2805pt"));
    EXPECT_EQ(odfPoints(0.25), QStringLiteral("0.25pt"));
    EXPECT_EQ(odfPoints(-0.00001), QStringLiteral("0pt"));
    EXPECT_EQ(emu(1), 12700);
    EXPECT_EQ(emu(165.2805), 2099062);
    EXPECT_EQ(twips(19.845), 397);

    InlinePicture p(QStringLiteral("x"), QSizeF(600, 800), true, false);
    p.setCrop(CropSide::Top, 40);
    p.setCrop(CropSide::Left, 60);
    p.setCrop(CropSide::Right, 150);
    EXPECT_EQ(odfClip(p.crop()), QStringLiteral("rect(40pt, 150pt, 0pt, 60pt)"));
    const CropShares shares = cropShares(p);
    EXPECT_EQ(shares.left, 10000);
    EXPECT_EQ(shares.top, 5000);
    EXPECT_EQ(shares.right, 25000);
    EXPECT_EQ(shares.bottom, 0);
}

} // namespace
