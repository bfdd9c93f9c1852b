// The warp's grey pictures take a vectorised path where the processor has one; colour pictures
// take the plain loop. A grey picture and its colour twin must come out the same, level for
// level, under every kind of transform, with and without a paper map.
#include "imaging/PictureWarp.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

TEST(PictureWarp, GreyAndColourTwinsComeOutTheSame)
{
    QImage grey(301, 257, QImage::Format_Grayscale8);
    QRandomGenerator random(11);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = uchar(random.bounded(256));
    QImage colour(grey.size(), QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const int v = grey.constScanLine(y)[x];
            colour.setPixel(x, y, qRgb(v, v, v));
        }
    QImage levels(20, 17, QImage::Format_Grayscale8);
    for (int y = 0; y < levels.height(); ++y)
        for (int x = 0; x < levels.width(); ++x)
            levels.scanLine(y)[x] = uchar(90 + 7 * x + 3 * y);
    const PaperMap paper{levels, 16.0};

    QTransform perspective;
    QTransform::quadToQuad(QPolygonF({{0, 0}, {300, 0}, {300, 256}, {0, 256}}),
                           QPolygonF({{12, 3}, {280, 20}, {295, 250}, {-5, 240}}), perspective);
    const struct {
        const char* name;
        QTransform toPlane;
        QRect region;
    } cases[] = {
        {"a small turn", QTransform().rotate(1.3), QRect(0, 0, 301, 257)},
        {"a turn past the edges", QTransform().rotate(-7), QRect(-20, -10, 340, 290)},
        {"perspective", perspective, QRect(0, 0, 300, 256)},
        {"reduced", QTransform::fromScale(0.37, 0.41).rotate(2), QRect(0, 0, 111, 105)},
        {"enlarged", QTransform::fromScale(2.5, 2.5), QRect(10, 10, 500, 400)},
        {"half-pixel shift", QTransform::fromTranslate(0.5, 0.25), QRect(0, 0, 300, 256)},
    };
    for (const auto& c : cases) {
        for (const bool even : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (even ? ", evened" : ""));
            const QImage g = warpPicture(grey, c.toPlane, c.region, even ? paper : PaperMap());
            const QImage rgb = warpPicture(colour, c.toPlane, c.region, even ? paper : PaperMap());
            ASSERT_EQ(g.size(), c.region.size());
            ASSERT_EQ(rgb.size(), c.region.size());
            int differing = 0;
            for (int y = 0; y < g.height(); ++y)
                for (int x = 0; x < g.width(); ++x)
                    differing += g.constScanLine(y)[x] != qRed(rgb.pixel(x, y));
            EXPECT_EQ(differing, 0);
        }
    }
    // And the levels are the bilinear ones: a quarter-pixel shift down mixes rows 3 : 1.
    const QImage shifted =
        warpPicture(grey, QTransform::fromTranslate(0, 0.25), QRect(0, 1, 301, 200));
    for (int x = 0; x < 300; x += 37) {
        const int expected = (3 * grey.constScanLine(1)[x] + grey.constScanLine(0)[x] + 2) / 4;
        EXPECT_NEAR(shifted.constScanLine(0)[x], expected, 1) << x;
    }
}

} // namespace
} // namespace pagula::imaging
