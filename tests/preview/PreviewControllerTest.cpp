#include "preview/PreviewController.h"
#include "preview/PreviewFakes.h"

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::preview;
using namespace pagula::preview::fakes;

namespace
{
struct Switching : ::testing::Test {
    FakeJobList jobs;
    FakeControls controls;
    FakeWindow window;
    PreviewController controller{jobs, controls, window};
    QRect screen{0, 0, 1024, 768};

    void SetUp() override
    {
        controller.setScreenGeometry([this] { return screen; });
        jobs.entries = QStringList{"/p/a.jpg0", "/p/b.jpg1", "/p/c.jpg0", "/p/d.jpg1"};
    }
};
} // namespace

TEST(PreviewWidth, IsTheHeightTimesAnA4PagesProportionRounded)
{
    const struct {
        int height, width;
    } cases[] = {{768, 543}, {1024, 724}, {1080, 764}, {297, 210}, {1, 1}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(previewWidthForHeight(c.height), c.width) << c.height;
}

TEST_F(Switching, TickingWithNoCurrentEntryShowsTheFirstAtTheScreensTopLeft)
{
    controls.ticked = true;
    controller.onPreviewToggled();
    EXPECT_EQ(jobs.current, 0);
    EXPECT_EQ(window.shownEntries, QStringList{"/p/a.jpg0"});
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.frame, QRect(0, 0, 543, 768));

    screen = QRect(1024, 0, 1280, 1024); // a second screen: its own top left
    jobs.current = 2;
    controller.onPreviewToggled();
    EXPECT_EQ(window.shownEntries.last(), "/p/c.jpg0");
    EXPECT_EQ(window.frame, QRect(1024, 0, 724, 1024));
}

TEST_F(Switching, WidthFollowsTheHeightTheWindowGot)
{
    window.maxHeight = 740;
    controls.ticked = true;
    controller.onPreviewToggled();
    EXPECT_EQ(window.frame, QRect(0, 0, 523, 740));
}

TEST_F(Switching, UntickingClosesAVisibleWindowOnce)
{
    window.visible = true;
    controller.onPreviewToggled();
    EXPECT_EQ(window.closes, 1);
    controller.onPreviewToggled(); // already hidden, e.g. the untick came from its own closing
    EXPECT_EQ(window.closes, 1);
    EXPECT_TRUE(window.shownEntries.isEmpty());
}

TEST_F(Switching, EmptyListLeavesTheWindowHiddenWhileTheSwitchStaysOn)
{
    jobs.entries.clear();
    controls.ticked = true;
    controller.onPreviewToggled();
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(window.shownEntries.isEmpty());
    EXPECT_EQ(jobs.current, -1);

    // Unticking with an empty list still hides a window left open.
    window.visible = true;
    controls.ticked = false;
    controller.onPreviewToggled();
    EXPECT_EQ(window.closes, 1);
}

TEST_F(Switching, StepsThroughAllInTurnAndMoveEvenWhenOff)
{
    controls.mode = NavigateMode::AllInTurn;
    jobs.current = 0;
    for (int expected : {1, 2, 3, 3}) {
        controller.showNext();
        EXPECT_EQ(jobs.current, expected);
    }
    EXPECT_TRUE(window.shownEntries.isEmpty());
    jobs.current = -1;
    controller.showNext();
    controller.showPrevious();
    EXPECT_EQ(jobs.current, -1);
}
