#include "app/docwindow/ZoomSetting.h"

#include "document/PageGeometry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pagula::docwindow;

namespace
{

const QSizeF A4 = pagula::document::a4PageSize();

TEST(ZoomSetting, TheListOffersTheTwoFitsAndFivePercentages)
{
    EXPECT_EQ(zoomChoiceTexts(),
              (QStringList{QStringLiteral("По ширине"), QStringLiteral("Страница целиком"),
                           QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                           QStringLiteral("150%"), QStringLiteral("200%")}));
    for (int i = 0; i < zoomChoiceTexts().size(); ++i)
        EXPECT_EQ(zoomText(zoomChoice(i)), zoomChoiceTexts()[i]) << i;
    EXPECT_EQ(zoomChoice(0).mode, ZoomMode::FitWidth);
    EXPECT_EQ(zoomChoice(1).mode, ZoomMode::WholePage);
    EXPECT_EQ(zoomChoice(6), (Zoom{ZoomMode::Percent, 200.0}));
}

struct ParseCase {
    const char* text;
    bool valid;
    Zoom zoom;
};

class ParseZoom : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseZoom, ReadsListTextsAndPercentagesWithinTheLimits)
{
    const ParseCase& c = GetParam();
    const std::optional<Zoom> zoom = parseZoom(QString::fromUtf8(c.text));
    ASSERT_EQ(zoom.has_value(), c.valid) << c.text;
    if (c.valid) {
        EXPECT_TRUE(*zoom == c.zoom) << c.text << " gave " << zoom->percent;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseZoom,
    ::testing::Values(ParseCase{"По ширине", true, {ZoomMode::FitWidth, 100}},
                      ParseCase{"  страница целиком ", true, {ZoomMode::WholePage, 100}},
                      ParseCase{"80", true, {ZoomMode::Percent, 80}},
                      ParseCase{"80%", true, {ZoomMode::Percent, 80}},
                      ParseCase{" 125 % ", true, {ZoomMode::Percent, 125}},
                      ParseCase{"87.5%", true, {ZoomMode::Percent, 87.5}},
                      ParseCase{"10", true, {ZoomMode::Percent, 10}},
                      ParseCase{"400%", true, {ZoomMode::Percent, 400}},
                      ParseCase{"9.9", false, {}}, ParseCase{"401", false, {}},
                      ParseCase{"87,5", true, {ZoomMode::Percent, 87.5}},
                      ParseCase{"87,5,0", false, {}}, ParseCase{"", false, {}},
                      ParseCase{"%", false, {}}, ParseCase{"abc", false, {}},
                      ParseCase{"nan", false, {}}, ParseCase{"inf%", false, {}}));

TEST(ZoomSetting, PercentagesAreTheRealSizeOnTheScreen)
{
    // 100 % at 96 dpi: an A4 page 210 mm wide is 794 pixels.
    EXPECT_NEAR(zoomScale({ZoomMode::Percent, 100}, A4, {500, 500}, 96.0, 12) * A4.width(), 793.7,
                0.1);
    EXPECT_NEAR(zoomScale({ZoomMode::Percent, 50}, A4, {500, 500}, 120.0, 12), 50.0 / 72.0 * 1.2,
                1e-12);
    EXPECT_NEAR(percentForScale(zoomScale({ZoomMode::Percent, 75}, A4, {1, 1}, 96.0, 12), 96.0),
                75.0, 1e-9);
}

TEST(ZoomSetting, FitsFollowTheViewport)
{
    // Page width fits the viewport less a gap on each side, whatever the height.
    EXPECT_NEAR(zoomScale({ZoomMode::FitWidth, 100}, A4, {624, 100}, 96.0, 12) * A4.width(), 600.0,
                1e-9);
    // The whole page: the narrower of width and height decides.
    EXPECT_NEAR(zoomScale({ZoomMode::WholePage, 100}, A4, {624, 100000}, 96.0, 12) * A4.width(),
                600.0, 1e-9);
    EXPECT_NEAR(zoomScale({ZoomMode::WholePage, 100}, A4, {2000, 624}, 96.0, 12) * A4.height(),
                600.0, 1e-9);
}

TEST(ZoomSetting, EveryZoomStaysWithinTenAndFourHundredPercent)
{
    const double low = 10.0 / 72.0 * 96.0 / 100.0;
    const double high = 400.0 / 72.0 * 96.0 / 100.0;
    EXPECT_DOUBLE_EQ(zoomScale({ZoomMode::FitWidth, 100}, A4, {10, 10}, 96.0, 12), low);
    EXPECT_DOUBLE_EQ(zoomScale({ZoomMode::WholePage, 100}, A4, {0, 0}, 96.0, 12), low);
    EXPECT_DOUBLE_EQ(zoomScale({ZoomMode::FitWidth, 100}, A4, {100000, 100}, 96.0, 12), high);
    EXPECT_DOUBLE_EQ(zoomScale({ZoomMode::Percent, 5000}, A4, {100, 100}, 96.0, 12), high);
}

TEST(ZoomSetting, StepsGoToTheNextStepUpOrDownAndStopAtTheLimits)
{
    const std::tuple<double, double, double> cases[] = {
        // percent, in, out
        {100, 125, 75},  {110, 125, 100}, {100.3, 125, 75}, {10, 25, 10},
        {400, 400, 300}, {5, 10, 10},     {33.3, 50, 25},   {1000, 400, 400},
    };
    for (const auto& [percent, in, out] : cases) {
        EXPECT_DOUBLE_EQ(zoomedIn(percent), in) << percent;
        EXPECT_DOUBLE_EQ(zoomedOut(percent), out) << percent;
    }
}

} // namespace
