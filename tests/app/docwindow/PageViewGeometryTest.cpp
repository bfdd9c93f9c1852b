#include "app/docwindow/PageViewGeometry.h"

#include "document/PageGeometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pagula::docwindow;

namespace
{

constexpr int Gap = PageViewGeometry::Gap;
const QSizeF A4 = pagula::document::a4PageSize(); // 595.28 x 841.89 points

// At scale 1 an A4 page is 595 x 842 pixels; pages start at 12, 866, 1720, ... (pitch 854).
PageViewGeometry unitGeometry(int pages = 10, int viewportWidth = 400)
{
    return PageViewGeometry(A4, pages, 1.0, viewportWidth);
}

struct RectCase {
    double scale;
    int viewportWidth;
    QSize page;
    QRect third; // rectangle of page index 2
    QSize content;
};

class PageRects : public ::testing::TestWithParam<RectCase>
{
};

TEST_P(PageRects, PagesStandOneBelowTheOtherCentredWithGaps)
{
    const RectCase& c = GetParam();
    const PageViewGeometry geometry(A4, 5, c.scale, c.viewportWidth);
    EXPECT_EQ(geometry.pageSize(), c.page);
    EXPECT_EQ(geometry.pageRect(2), c.third);
    EXPECT_EQ(geometry.contentSize(), c.content);
    EXPECT_EQ(geometry.pageRect(1).top() - geometry.pageRect(0).bottom() - 1, Gap);
}

INSTANTIATE_TEST_SUITE_P(
    Zooms, PageRects,
    ::testing::Values(
        // Narrow viewport: the content is the page plus a gap on each side.
        RectCase{1.0, 300, {595, 842}, {12, 12 + 2 * 854, 595, 842}, {619, 12 + 5 * 854}},
        // Wide viewport: the page is centred in it.
        RectCase{1.0, 1000, {595, 842}, {202, 12 + 2 * 854, 595, 842}, {1000, 12 + 5 * 854}},
        // 100 % at 96 dpi.
        RectCase{
            96.0 / 72.0, 800, {794, 1123}, {12, 12 + 2 * 1135, 794, 1123}, {818, 12 + 5 * 1135}},
        // 200 % at 96 dpi.
        RectCase{192.0 / 72.0,
                 800,
                 {1587, 2245},
                 {12, 12 + 2 * 2257, 1587, 2245},
                 {1611, 12 + 5 * 2257}},
        // A tiny zoom still gives a page of at least a pixel.
        RectCase{0.0001, 100, {1, 1}, {49, 12 + 2 * 13, 1, 1}, {100, 12 + 5 * 13}}));

struct SpanCase {
    QRect area;
    int first;
    int last; // first > last: no page
};

class VisiblePages : public ::testing::TestWithParam<SpanCase>
{
};

TEST_P(VisiblePages, AreEveryPageThatIntersectsTheViewportAndNoOther)
{
    const SpanCase& c = GetParam();
    const PageViewGeometry geometry = unitGeometry(10, 619);
    const PageSpan span = geometry.pagesIn(c.area);
    if (c.first > c.last) {
        EXPECT_TRUE(span.isEmpty()) << span.first << ".." << span.last;
        return;
    }
    EXPECT_EQ(span.first, c.first);
    EXPECT_EQ(span.last, c.last);
    // The same answer as testing every page.
    for (int page = 0; page < geometry.pageCount(); ++page)
        EXPECT_EQ(span.contains(page), geometry.pageRect(page).intersects(c.area)) << page;
}

INSTANTIATE_TEST_SUITE_P(
    Viewports, VisiblePages,
    ::testing::Values(SpanCase{{0, 0, 619, 600}, 0, 0},     // top of the first page
                      SpanCase{{0, 0, 619, 867}, 0, 1},     // reaches the second page's top row
                      SpanCase{{0, 0, 619, 866}, 0, 0},     // stops just above it
                      SpanCase{{0, 854, 619, 12}, 1, -1},   // only the gap between pages
                      SpanCase{{0, 853, 619, 12}, 0, 0},    // last row of the first page
                      SpanCase{{0, 1000, 619, 3000}, 1, 4}, // several pages
                      SpanCase{{0, 8000, 619, 5000}, 9, 9}, // past the end: the last page
                      SpanCase{{0, 9000, 619, 500}, 1, -1}, // below the last page
                      SpanCase{{0, -500, 619, 400}, 1, -1}, // above the first page
                      SpanCase{{0, 0, 11, 900}, 1, -1},     // left of the pages
                      SpanCase{{607, 0, 50, 900}, 1, -1},   // right of the pages
                      SpanCase{{600, 0, 50, 900}, 0, 1}));  // the pages' right edge

TEST(PageViewGeometry, PageAtAScrollPositionOwnsTheGapAboveIt)
{
    const PageViewGeometry geometry = unitGeometry(10);
    const std::pair<int, int> cases[] = {{-100, 0}, {0, 0},    {853, 0},  {854, 1},
                                         {865, 1},  {1707, 1}, {1708, 2}, {100000, 9}};
    for (const auto& [y, page] : cases)
        EXPECT_EQ(geometry.pageAt(y), page) << "y " << y;
}

TEST(PageViewGeometry, ScrollingToAPageShowsItOneGapBelowTheTop)
{
    for (double scale : {0.5, 1.0, 96.0 / 72.0, 4.0}) {
        const PageViewGeometry geometry(A4, 300, scale, 800);
        for (int page : {0, 1, 149, 299}) {
            const int y = geometry.scrollPositionFor(page);
            EXPECT_EQ(geometry.pageRect(page).top(), y + Gap);
            EXPECT_EQ(geometry.pageAt(y), page);
            const QRect viewport(0, y, 800, 600);
            EXPECT_TRUE(geometry.pagesIn(viewport).contains(page));
            EXPECT_EQ(geometry.pagesIn(viewport).first, page);
        }
        EXPECT_EQ(geometry.scrollPositionFor(-3), 0);
        EXPECT_EQ(geometry.scrollPositionFor(500), geometry.scrollPositionFor(299));
    }
}

TEST(PageViewGeometry, BandsCoverEachPageWithoutGapOrOverlap)
{
    for (double scale : {0.3, 1.0, 96.0 / 72.0, 400.0 / 72.0}) {
        const PageViewGeometry geometry(A4, 3, scale, 800);
        int expectedTop = 0;
        for (int band = 0; band < geometry.bandCount(); ++band) {
            EXPECT_EQ(geometry.bandTop(band), expectedTop);
            EXPECT_GT(geometry.bandBottom(band), expectedTop);
            expectedTop = geometry.bandBottom(band);
        }
        EXPECT_EQ(expectedTop, geometry.pageSize().height()) << scale;
        const QRect last = geometry.bandRect({2, geometry.bandCount() - 1});
        EXPECT_EQ(last.bottom(), geometry.pageRect(2).bottom());
    }
}

TEST(PageViewGeometry, APageIsOneStripUntilItOutgrowsTheStripLimit)
{
    struct Case {
        double scale;
        double dpr;
        int bands;
    };
    const Case cases[] = {{1.0, 1.0, 1},          {2.0, 1.0, 1}, // up to 150 % at 96 dpi
                          {192.0 / 72.0, 1.0, 2}, {1.0, 2.0, 1},
                          {2.0, 2.0, 4},          {400.0 / 72.0, 1.0, 8}};
    for (const Case& c : cases) {
        const PageViewGeometry geometry(A4, 3, c.scale, 800, c.dpr);
        EXPECT_EQ(geometry.bandCount(), c.bands) << c.scale << " x" << c.dpr;
        const double rowBytes = geometry.pageSize().width() * c.dpr * c.dpr * 4.0;
        EXPECT_LE(geometry.bandHeight() * rowBytes, PageViewGeometry::MaxBandBytes + rowBytes);
    }
}

TEST(PageViewGeometry, BandsInAViewportAreTheVisibleStripsOfEachVisiblePage)
{
    using Bands = QList<BandRef>;
    // One strip a page at scale 1.
    const PageViewGeometry unit = unitGeometry(10);
    EXPECT_EQ(unit.bandsIn({0, 700, 619, 200}), (Bands{{0, 0}, {1, 0}}));

    // At scale 4 a page (2381 x 3368) is four strips of 842 rows: page 0 covers rows 12 to
    // 3379 with strips from 12, 854, 1696 and 2538; page 1 starts at 3392.
    const PageViewGeometry big(A4, 3, 4.0, 800);
    ASSERT_EQ(big.bandHeight(), 842);
    const int w = big.contentSize().width();
    EXPECT_EQ(big.bandsIn({0, 0, w, 300}), (Bands{{0, 0}}));
    EXPECT_EQ(big.bandsIn({0, 1600, w, 1000}), (Bands{{0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(big.bandsIn({0, 3380, w, 12}), Bands{});
    EXPECT_EQ(big.bandsIn({0, 3380, w, 921}), (Bands{{1, 0}, {1, 1}}));
    EXPECT_EQ(big.bandRect({1, 1}), QRect(12, 3392 + 842, 2381, 842));
}

TEST(PageViewGeometry, HundredThousandPagesAtTheHighestZoomAreAllReachable)
{
    const double scale = 400.0 / 72.0 * 96.0 / 72.0;
    const PageViewGeometry geometry(A4, 100000, scale, 800);
    EXPECT_EQ(geometry.contentSize().height(), Gap + 100000 * geometry.pitch());
    const int end = geometry.contentSize().height();
    const PageSpan span = geometry.pagesIn({0, end - 900, 800, 900});
    EXPECT_EQ(span.first, 99999);
    EXPECT_EQ(span.last, 99999);
    EXPECT_EQ(geometry.pageAt(end - 1), 99999);
}

TEST(PageViewGeometry, AnAbsurdPageCountSaturatesInsteadOfOverflowing)
{
    const PageViewGeometry geometry(A4, 10000000, 400.0 / 72.0 * 96.0 / 72.0, 800);
    EXPECT_EQ(geometry.contentSize().height(), INT_MAX);
    const QRect last = geometry.pageRect(geometry.pageCount() - 1);
    EXPECT_GE(last.top(), 0);
    EXPECT_EQ(last.height(), geometry.pageSize().height());
    const QRect bottom(0, INT_MAX - 1000, 800, 900);
    EXPECT_FALSE(geometry.pagesIn(bottom).isEmpty());
    EXPECT_FALSE(geometry.bandsIn(bottom).isEmpty());
}

TEST(PageViewGeometry, AnEmptyDocumentHasNoVisiblePage)
{
    const PageViewGeometry geometry(A4, 0, 1.0, 800);
    EXPECT_TRUE(geometry.pagesIn({0, 0, 800, 800}).isEmpty());
    EXPECT_TRUE(geometry.bandsIn({0, 0, 800, 800}).isEmpty());
    EXPECT_EQ(geometry.pageAt(100), 0);
}

} // namespace
