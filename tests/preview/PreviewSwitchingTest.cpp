#include "preview/PreviewController.h"
#include "preview/PreviewFakes.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "preview/ui/PreviewWiring.h"
#include "support/TestSupport.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::preview;
using namespace pagula::preview::fakes;

namespace
{
// Counts the close events a window receives.
struct CloseCounter : QObject {
    int closes = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        closes += event->type() == QEvent::Close;
        return false;
    }
};

struct PreviewSwitching : ::testing::Test {
    QTemporaryDir dir;
    FakeJobList jobs;
    FakeProfiles profiles;
    PreviewTabs tabs;
    PreviewWindow form;
    PreviewController controller{jobs, tabs, form};
    QStringList reports;
    QRect screen{0, 0, 1024, 768};

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form.setCropProfiles(&profiles);
        connectPreview(tabs, form, controller);
        controller.setScreenGeometry([this] { return screen; });
        widgets::ErrorReport::setHook([this](const QString& text) { reports << text; });
        tabs.show();
    }
    void TearDown() override { widgets::ErrorReport::setHook({}); }

    QString picture(const QString& name, QSize size, QRgb colour)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(name);
        test::savePicture(img, path, "BMP");
        return path;
    }
    void useNavigateItem(int item)
    {
        tabs.navigateGroup()->findChildren<QRadioButton*>().at(item)->click();
    }
};
} // namespace

TEST(PreviewTabSet, StartsAsDescribed)
{
    PreviewTabs tabs;
    EXPECT_EQ(tabs.objectName(), QStringLiteral("previewTabs"));
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("Просмотр"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Переход"));
    EXPECT_EQ(tabs.widget(0)->objectName(), QStringLiteral("viewTab"));
    EXPECT_EQ(tabs.widget(1)->objectName(), QStringLiteral("navigateTab"));
    EXPECT_EQ(tabs.currentIndex(), 0);

    auto* preview = tabs.findChild<QCheckBox*>(QStringLiteral("previewBox"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text(), QStringLiteral("Включен"));
    EXPECT_FALSE(preview->isChecked());

    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"previousButton", "9"}, {"nextButton", ":"}};
    for (const auto& b : buttons) {
        auto* button = tabs.findChild<widgets::GradientButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->caption(), QString::fromLatin1(b.caption));
        EXPECT_EQ(button->size(), QSize(50, 24));
        EXPECT_EQ(button->font().family(), QStringLiteral("Webdings"));
        EXPECT_EQ(button->font().pixelSize(), 15);
    }

    auto* navigate = tabs.findChild<QGroupBox*>(QStringLiteral("navigateGroup"));
    ASSERT_NE(navigate, nullptr);
    const auto items = navigate->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Все подряд"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("По типу обрезки"));
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_EQ(tabs.navigateMode(), NavigateMode::ByCropType);
    items[0]->click();
    EXPECT_EQ(tabs.navigateMode(), NavigateMode::AllInTurn);
}

TEST_F(PreviewSwitching, TickingPlacesTheWindowAtTheTopLeftAsHighAsTheScreen)
{
    jobs.entries = QStringList{picture("a.bmp", {40, 30}, qRgb(1, 2, 3)) + "0"};
    for (const auto& [height, width] : {std::pair{768, 543}, std::pair{1024, 724}}) {
        screen = QRect(0, 0, 1280, height);
        tabs.setPreviewTicked(true);
        ASSERT_TRUE(form.isVisible());
        EXPECT_EQ(form.frameGeometry(), QRect(0, 0, width, height));
        tabs.setPreviewTicked(false);
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(jobs.current, 0);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(PreviewSwitching, ClosingUnticksOnceAndReopeningOnABlankShowsTheWhitePicture)
{
    const QString path = picture("a.bmp", {1000, 800}, qRgb(0, 0, 255));
    jobs.entries = QStringList{path + "1", "(пустая страница)0"};
    profiles.one = {10, 10, 10, 10};
    jobs.current = 0;
    tabs.setPreviewTicked(true);
    ASSERT_TRUE(form.isVisible());

    CloseCounter counter;
    form.installEventFilter(&counter);
    form.close(); // the close box
    EXPECT_EQ(counter.closes, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(tabs.previewTicked());
    EXPECT_EQ(form.sourcePicture().size(), QSize(1000, 800));
    const QImage afterClose = form.shownBitmap();
    ASSERT_FALSE(afterClose.isNull());
    EXPECT_EQ(afterClose.pixel(0, 0), qRgb(255, 255, 255));

    jobs.current = 1;
    tabs.setPreviewTicked(true);
    QApplication::processEvents();
    ASSERT_TRUE(form.isVisible());
    const QImage reopened = form.shownBitmap();
    auto* area = form.findChild<QScrollArea*>(QStringLiteral("scrollArea"));
    EXPECT_EQ(reopened.size(), area->viewport()->size()); // stretched to the window
    for (const QPoint p : {QPoint(0, 0), QPoint(reopened.width() - 1, reopened.height() - 1)})
        EXPECT_EQ(reopened.pixel(p), qRgb(255, 255, 255));

    // At a zoom the white picture keeps its own 50 × 50.
    form.close();
    form.findChild<QComboBox*>(QStringLiteral("zoomBox"))->setCurrentIndex(4);
    jobs.current = 0;
    tabs.setPreviewTicked(true);
    form.close();
    EXPECT_EQ(form.shownBitmap().size(), QSize(50, 50));
    EXPECT_EQ(counter.closes, 3);
    EXPECT_TRUE(reports.isEmpty()) << reports.join(';').toStdString();
}

TEST_F(PreviewSwitching, EmptyListKeepsTheTickAndTheWindowHidden)
{
    tabs.setPreviewTicked(true);
    EXPECT_TRUE(tabs.previewTicked());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(PreviewSwitching, AFailedSwitchOnReportsOnceAndStaysOnButHidden)
{
    const QString missing = dir.filePath("gone.jpg");
    jobs.entries = QStringList{missing + "0"};
    tabs.setPreviewTicked(true);
    EXPECT_EQ(reports,
              QStringList{
                  QStringLiteral("Cannot open file %1: No such file or directory.").arg(missing)});
    EXPECT_TRUE(tabs.previewTicked());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(jobs.current, 0);
}

TEST_F(PreviewSwitching, StepButtonsMoveTheCurrentEntryAndShowItOnlyWhenOn)
{
    const QString a = picture("a.bmp", {40, 30}, qRgb(255, 0, 0));
    const QString b = picture("b.bmp", {40, 30}, qRgb(0, 255, 0));
    const QString c = picture("c.bmp", {40, 30}, qRgb(0, 0, 255));
    jobs.entries = QStringList{a + "0", b + "1", c + "0", b + "1"};
    jobs.current = 0;

    QTest::mouseClick(tabs.nextButton(), Qt::LeftButton);
    EXPECT_EQ(jobs.current, 2);
    EXPECT_TRUE(form.sourcePicture().isNull()); // off: nothing shown
    QTest::mouseClick(tabs.nextButton(), Qt::LeftButton);
    EXPECT_EQ(jobs.current, 2);

    useNavigateItem(0);
    tabs.setPreviewTicked(true);
    EXPECT_EQ(form.sourcePicture().pixel(0, 0), qRgb(0, 0, 255));
    QTest::mouseClick(tabs.previousButton(), Qt::LeftButton);
    EXPECT_EQ(jobs.current, 1);
    EXPECT_EQ(form.sourcePicture().pixel(0, 0), qRgb(0, 255, 0));
    QTest::mouseClick(tabs.previousButton(), Qt::LeftButton);
    QTest::mouseClick(tabs.previousButton(), Qt::LeftButton);
    EXPECT_EQ(jobs.current, 0);
    EXPECT_EQ(form.sourcePicture().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(PreviewSwitching, ApplyRefreshesOnlyWhenOnWithACurrentEntry)
{
    const QString a = picture("a.bmp", {40, 30}, qRgb(255, 0, 0));
    jobs.entries = QStringList{a + "1"};
    profiles.one = {50, 0, 0, 0};
    jobs.current = 0;
    controller.refreshPreview(); // off
    EXPECT_TRUE(form.sourcePicture().isNull());

    tabs.setPreviewTicked(true);
    form.findChild<QComboBox*>(QStringLiteral("zoomBox"))->setCurrentIndex(10);
    EXPECT_EQ(form.shownBitmap().pixel(30, 15), qRgb(255, 0, 0));
    profiles.one = {0, 50, 0, 0};
    EXPECT_EQ(form.shownBitmap().pixel(30, 15), qRgb(255, 0, 0)); // old bands until "Применить"
    controller.refreshPreview();
    EXPECT_EQ(form.shownBitmap().pixel(30, 15), qRgb(0, 128, 0));

    jobs.current = -1;
    profiles.one = {0, 0, 0, 0};
    controller.refreshPreview(); // no current entry: the picture stays as it was
    EXPECT_EQ(form.shownBitmap().pixel(30, 15), qRgb(0, 128, 0));
}
