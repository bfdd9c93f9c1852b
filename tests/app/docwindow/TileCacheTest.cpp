#include "app/docwindow/TileCache.h"

#include <gtest/gtest.h>

using namespace pagula::docwindow;

namespace
{

// 16 x 16 RGB32: 1 KiB each.
QImage tile(QRgb colour = 0xff112233)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

constexpr qint64 TileBytes = 16 * 16 * 4;

TileKey key(int page, int band = 0, double scale = 1.0)
{
    return {page, band, scale};
}

TEST(TileCache, KeepsWithinItsBudgetByDroppingTheLeastRecentlyUsed)
{
    TileCache cache(3 * TileBytes);
    for (int page = 0; page < 3; ++page) {
        cache.newFrame();
        cache.insert(key(page), tile());
    }
    cache.newFrame();
    ASSERT_NE(cache.find(key(0)), nullptr); // page 0 is now the most recent
    cache.newFrame();
    cache.insert(key(3), tile());
    EXPECT_EQ(cache.size(), 3);
    EXPECT_EQ(cache.bytes(), 3 * TileBytes);
    EXPECT_TRUE(cache.contains(key(0)));
    EXPECT_FALSE(cache.contains(key(1))); // the oldest unused one went
    EXPECT_TRUE(cache.contains(key(2)));
    EXPECT_TRUE(cache.contains(key(3)));
}

TEST(TileCache, KeysDifferByPageBandAndScale)
{
    TileCache cache(100 * TileBytes);
    cache.insert(key(1, 0, 1.0), tile(0xff0000ff));
    cache.insert(key(1, 1, 1.0), tile(0xff00ff00));
    cache.insert(key(1, 0, 2.0), tile(0xffff0000));
    ASSERT_EQ(cache.size(), 3);
    EXPECT_EQ(cache.find(key(1, 0, 1.0))->pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(cache.find(key(1, 1, 1.0))->pixel(0, 0), 0xff00ff00u);
    EXPECT_EQ(cache.find(key(1, 0, 2.0))->pixel(0, 0), 0xffff0000u);
    EXPECT_EQ(cache.find(key(2, 0, 1.0)), nullptr);
}

TEST(TileCache, WhatTheCurrentFrameShowsIsNeverEvicted)
{
    // The screen needs four tiles but the budget holds two: all four stay while shown, so
    // the view does not render them again and again; the excess goes at the next frame.
    TileCache cache(2 * TileBytes);
    cache.newFrame();
    for (int page = 0; page < 4; ++page)
        cache.insert(key(page), tile());
    EXPECT_EQ(cache.size(), 4);
    for (int page = 0; page < 4; ++page)
        EXPECT_NE(cache.find(key(page)), nullptr);

    cache.newFrame();
    ASSERT_NE(cache.find(key(3)), nullptr);
    cache.insert(key(4), tile());
    EXPECT_EQ(cache.bytes(), 2 * TileBytes);
    EXPECT_TRUE(cache.contains(key(3)));
    EXPECT_TRUE(cache.contains(key(4)));
}

TEST(TileCache, ReplacingATileCountsItsBytesOnce)
{
    TileCache cache(10 * TileBytes);
    cache.insert(key(0), tile());
    cache.insert(key(0), tile(0xffabcdef));
    EXPECT_EQ(cache.size(), 1);
    EXPECT_EQ(cache.bytes(), TileBytes);
    EXPECT_EQ(cache.find(key(0))->pixel(5, 5), 0xffabcdefu);
}

TEST(TileCache, AFailedTileIsRememberedAsNullAndCostsLittle)
{
    TileCache cache(10 * TileBytes);
    cache.insert(key(7), QImage());
    const QImage* found = cache.find(key(7));
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->isNull());
    EXPECT_GT(cache.bytes(), 0);
    EXPECT_LT(cache.bytes(), TileBytes);
    cache.clear();
    EXPECT_EQ(cache.size(), 0);
    EXPECT_EQ(cache.bytes(), 0);
}

} // namespace
