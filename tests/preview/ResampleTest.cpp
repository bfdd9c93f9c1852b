#include "preview/Resample.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace pagula::preview;

namespace
{
QImage uniform(QSize size, QRgb colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

QImage noise(QSize size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, 0xff000000u | (gen.generate() & 0xffffffu));
    return img;
}
} // namespace

TEST(ZoomedSize, TruncatesWidthAndHeightTimesZoomByTen)
{
    const struct {
        QSize source;
        int zoom;
        QSize expected;
    } cases[] = {
        {{1000, 800}, 3, {300, 240}},    {{1000, 800}, 10, {1000, 800}}, {{999, 555}, 1, {99, 55}},
        {{999, 555}, 7, {699, 388}},     {{999, 555}, 0, {999, 555}},    {{9, 19}, 1, {0, 1}},
        {{6000, 4000}, 5, {3000, 2000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zoomedSize(c.source, c.zoom), c.expected) << c.zoom;
}

TEST(Resample, UniformPictureStaysUniformAtAnySize)
{
    const QImage src = uniform({37, 23}, qRgb(12, 200, 99));
    for (const QSize target :
         {QSize(5, 3), QSize(36, 22), QSize(37, 23), QSize(80, 61), QSize(1, 1)}) {
        const QImage out = resampleRegion(src, target, QRect(QPoint(), target));
        ASSERT_EQ(out.size(), target);
        EXPECT_EQ(out.format(), QImage::Format_RGB32);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                ASSERT_EQ(out.pixel(x, y), qRgb(12, 200, 99)) << x << "," << y;
    }
}

TEST(Resample, AveragesTheCoveredAreaWithPartialPixelsWeighted)
{
    // Three source pixels onto two: each target pixel covers one and a half source pixels.
    QImage src(3, 1, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(0, 0, 0));
    src.setPixel(1, 0, qRgb(90, 90, 90));
    src.setPixel(2, 0, qRgb(180, 180, 180));
    const QImage out = resampleRegion(src, {2, 1}, QRect(0, 0, 2, 1));
    EXPECT_EQ(qRed(out.pixel(0, 0)), 30);  // (0 + 90 / 2) / 1.5
    EXPECT_EQ(qRed(out.pixel(1, 0)), 150); // (90 / 2 + 180) / 1.5

    // A checkerboard halved is the exact mean.
    QImage checker(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage half = resampleRegion(checker, {2, 2}, QRect(0, 0, 2, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(half.pixel(x, y), qRgb(128, 128, 128));
}

TEST(Resample, RegionsComeOutAsTheSamePixelsOfTheWholePicture)
{
    const QImage src = noise({97, 61}, 7);
    for (const QSize target : {QSize(40, 23), QSize(150, 90), QSize(97, 61), QSize(13, 61)}) {
        const QImage whole = resampleRegion(src, target, QRect(QPoint(), target));
        ASSERT_EQ(whole.size(), target);
        for (const QRect region :
             {QRect(0, 0, 7, 5), QRect(3, 4, 9, 11), QRect(target.width() - 6, 2, 6, 9),
              QRect(-5, -5, 20, 20), QRect(5, 5, 1000, 1000)}) {
            const QRect clipped = region & QRect(QPoint(), target);
            const QImage part = resampleRegion(src, target, region);
            ASSERT_EQ(part.size(), clipped.size());
            EXPECT_EQ(part, whole.copy(clipped)) << target.width() << "x" << target.height();
        }
    }
}

TEST(Resample, EqualSizeCopiesAndNothingComesOfEmptyInput)
{
    const QImage src = noise({20, 10}, 3);
    EXPECT_EQ(resampleRegion(src, {20, 10}, QRect(2, 3, 5, 4)), src.copy(2, 3, 5, 4));
    EXPECT_TRUE(resampleRegion(QImage(), {5, 5}, QRect(0, 0, 5, 5)).isNull());
    EXPECT_TRUE(resampleRegion(src, {0, 5}, QRect(0, 0, 5, 5)).isNull());
    EXPECT_TRUE(resampleRegion(src, {5, 5}, QRect(6, 6, 2, 2)).isNull());
}
