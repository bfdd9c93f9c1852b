#include "preview/CropBands.h"
#include "preview/RenderPlan.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace pagula::preview;

namespace
{
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

QImage white(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}
} // namespace

TEST(CropBands, EdgesAreTruncatedPercentagesInDrawingOrder)
{
    const struct {
        QSize size;
        CropPercentages crop;
        CropBandSet expected;
    } cases[] = {
        {{300, 240},
         {10, 0, 20, 5},
         {BandRect{0, 0, 300, 48}, {0, 228, 300, 240}, {0, 48, 30, 228}, {300, 48, 300, 228}}},
        {{99, 55},
         {33, 50, 3, 99},
         {BandRect{0, 0, 99, 1}, {0, 1, 99, 55}, {0, 1, 32, 1}, {50, 1, 99, 1}}},
        {{300, 240},
         {0, 0, 0, 0},
         {BandRect{0, 0, 300, 0}, {0, 240, 300, 240}, {0, 0, 0, 240}, {300, 0, 300, 240}}},
        {{10, 10},
         {100, 100, 60, 60},
         {BandRect{0, 0, 10, 6}, {0, 4, 10, 10}, {0, 6, 10, 4}, {0, 6, 10, 4}}},
    };
    for (const auto& c : cases) {
        const CropBandSet got = cropBands(c.size, c.crop);
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(got[i] == c.expected[i])
                << "band " << i << ": " << got[i].left << "," << got[i].top << "," << got[i].right
                << "," << got[i].bottom;
    }
}

TEST(CropBands, PaintsGreenWithOneBlackPixelInsideEachEdge)
{
    QImage img = white({300, 240});
    paintBands(img, {0, 0}, cropBands(img.size(), {10, 0, 20, 5}));
    const struct {
        int x, y;
        QRgb colour;
    } probes[] = {
        {0, 0, kBlack},     {299, 0, kBlack},   {150, 1, kGreen},   {150, 46, kGreen},
        {150, 47, kBlack},  {150, 48, kWhite},  {0, 48, kBlack},    {15, 48, kBlack},
        {15, 100, kGreen},  {29, 100, kBlack},  {30, 100, kWhite},  {15, 227, kBlack},
        {150, 227, kWhite}, {150, 228, kBlack}, {150, 233, kGreen}, {150, 239, kBlack},
        {299, 100, kWhite}, {298, 100, kWhite}, // no right band
    };
    for (const auto& p : probes)
        EXPECT_EQ(img.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(CropBands, ZeroDeepBandsDrawNothingAndThinOnesAreOutlineOnly)
{
    QImage none = white({100, 100});
    paintBands(none, {0, 0}, cropBands(none.size(), {0, 0, 0, 0}));
    EXPECT_EQ(none, white({100, 100}));

    QImage thin = white({100, 100});
    paintBands(thin, {0, 0}, cropBands(thin.size(), {0, 0, 1, 2}));
    for (int x : {0, 50, 99}) {
        EXPECT_EQ(thin.pixel(x, 0), kBlack);
        EXPECT_EQ(thin.pixel(x, 1), kWhite);
        EXPECT_EQ(thin.pixel(x, 97), kWhite);
        EXPECT_EQ(thin.pixel(x, 98), kBlack); // two pixels deep: both are outline
        EXPECT_EQ(thin.pixel(x, 99), kBlack);
    }
}

TEST(CropBands, PaintingAPartWithAnOriginMatchesTheWhole)
{
    const CropBandSet bands = cropBands({300, 240}, {10, 7, 20, 5});
    QImage whole = white({300, 240});
    paintBands(whole, {0, 0}, bands);
    const QRect part(20, 40, 100, 200);
    QImage piece = white(part.size());
    paintBands(piece, part.topLeft(), bands);
    EXPECT_EQ(piece, whole.copy(part));
}

TEST(CropBands, StretchingMapsEdgesAndKeepsThinBandsVisible)
{
    const struct {
        BandRect band;
        QSize from, to;
        BandRect expected;
    } cases[] = {
        {{0, 0, 300, 48}, {300, 240}, {600, 480}, {0, 0, 600, 96}},
        {{0, 0, 6000, 3}, {6000, 4000}, {600, 400}, {0, 0, 600, 1}},
        {{5990, 0, 6000, 4000}, {6000, 4000}, {600, 400}, {599, 0, 600, 400}},
        {{0, 4000, 6000, 4000}, {6000, 4000}, {600, 400}, {0, 400, 600, 400}}, // empty stays empty
        {{30, 10, 10, 5}, {100, 100}, {100, 100}, {10, 5, 30, 10}},            // normalised
    };
    for (const auto& c : cases)
        EXPECT_TRUE(stretchBand(c.band, c.from, c.to) == c.expected)
            << c.band.left << "," << c.band.top;
}

TEST(RenderPlan, StretchedViewPaintsTheBandsWhereTheStretchPutsThem)
{
    QImage src(600, 400, QImage::Format_RGB32);
    src.fill(qRgb(0, 0, 255));
    RenderPlan plan{src, src.size(), {300, 100}, {cropBands(src.size(), {0, 0, 50, 0})}};
    const QImage shown = renderAll(plan);
    ASSERT_EQ(shown.size(), QSize(300, 100));
    EXPECT_EQ(shown.pixel(150, 0), kBlack);
    EXPECT_EQ(shown.pixel(150, 25), kGreen);
    EXPECT_EQ(shown.pixel(150, 49), kBlack);
    EXPECT_EQ(shown.pixel(150, 50), qRgb(0, 0, 255));
    EXPECT_EQ(renderRegion(plan, QRect(100, 40, 50, 20)), shown.copy(100, 40, 50, 20));
}

TEST(RenderPlan, RegionsRenderedTogetherMatchOneByOne)
{
    QImage src(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const RenderPlan plan{src, {320, 240}, {320, 240}, {cropBands({320, 240}, {10, 20, 30, 5})}};
    std::vector<QRect> regions;
    for (int y = 0; y < 240; y += 100)
        for (int x = 0; x < 320; x += 100)
            regions.emplace_back(x, y, 100, 100);
    const std::vector<QImage> together = renderRegions(plan, regions);
    ASSERT_EQ(together.size(), regions.size());
    for (std::size_t i = 0; i < regions.size(); ++i)
        EXPECT_EQ(together[i], renderRegion(plan, regions[i])) << i;
    EXPECT_TRUE(renderRegions(plan, {}).empty());
}
