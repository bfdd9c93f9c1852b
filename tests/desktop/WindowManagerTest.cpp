// The program on a display managed by openbox (see with_window_manager.sh): what the window
// system holds for its windows, read back with xprop.
#include "app/AdjustmentsPanel.h"
#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "app/ProcessSetup.h"
#include "app/Program.h"
#include "app/RightPanel.h"
#include "app/docwindow/DocumentWindow.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "widgets/ErrorReport.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::app;

namespace
{

class DiscardingDocumentWindow : public docwindow::DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

protected:
    CloseAnswer askSaveBeforeClose() override { return CloseAnswer::Discard; }
};

// One property of a window as the X server holds it, as xprop prints it without its type.
QString xprop(const QWidget& window, const char* property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QStringLiteral("0x%1").arg(window.winId(), 0, 16),
             QStringLiteral("-notype"), QString::fromLatin1(property)});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The title the window manager shows: its own visible name when it set one, else the window's.
QString shownTitle(const QWidget& window)
{
    static const QRegularExpression quoted(QStringLiteral("= \"(.*)\"$"));
    for (const char* property : {"_NET_WM_VISIBLE_NAME", "_NET_WM_NAME"}) {
        const QRegularExpressionMatch m = quoted.match(xprop(window, property));
        if (m.hasMatch())
            return m.captured(1);
    }
    return {};
}

bool isIconic(const QWidget& window)
{
    return xprop(window, "WM_STATE").contains(QStringLiteral("Iconic"));
}

bool isMappedNormal(const QWidget& window)
{
    return xprop(window, "WM_STATE").contains(QStringLiteral("Normal"));
}

// Whether the whole control can be seen: nothing of it cut off by the window or a parent.
bool fullyVisible(QWidget* control)
{
    return control->isVisible() && control->visibleRegion().boundingRect() == control->rect();
}

class WindowManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        setUpProcess();
        // The run's message boxes are answered here; they would wait for a user.
        MessageBoxes::setHook([this](MessageKind, const QString& text) { messages << text; });
        widgets::ErrorReport::setHook([this](const QString& text) { messages << text; });
        program = std::make_unique<Program>(
            [] {},
            [](std::shared_ptr<document::Document> document, const QString& label) {
                return new DiscardingDocumentWindow(std::move(document), label);
            });
        program->start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    }
    void TearDown() override
    {
        for (const Program::ShownDocument& shown : program->shownDocuments())
            if (shown.window)
                shown.window->close();
        program.reset();
        MessageBoxes::setHook({});
        widgets::ErrorReport::setHook({});
    }
    MainWindow& main() { return program->mainWindow(); }
    void showPreview()
    {
        main().jobList()->model()->replaceEntries({joblist::JobEntry::blank()});
        main().previewTabs()->setPreviewTicked(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->previewWindow()));
    }

    std::unique_ptr<Program> program;
    QStringList messages;
};

} // namespace

TEST_F(WindowManager, TitlesAsTheWindowManagerShowsThem)
{
    EXPECT_EQ(shownTitle(main()), QStringLiteral("Распечатка Pagula"));
    // The program's icon, at the sizes a task bar picks from.
    const QString icon = xprop(main(), "_NET_WM_ICON");
    for (const char* size : {"Icon (16 x 16)", "Icon (48 x 48)", "Icon (128 x 128)"})
        EXPECT_TRUE(icon.contains(QLatin1String(size)))
            << size << " in " << icon.count(QStringLiteral("Icon (")) << " sizes";

    showPreview();
    EXPECT_EQ(shownTitle(program->previewWindow()), QStringLiteral("Предварительный просмотр"));

    // A two-sided run: one window per side.
    joblist::JobListModel* list = main().jobList()->model();
    list->replaceEntries({joblist::JobEntry::blank(), joblist::JobEntry::blank()});
    list->tickAll();
    main().adjustments()->twoSideBox()->setChecked(true);
    main().generate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main().isGenerating(); }, 20000));
    const auto& shown = program->shownDocuments();
    ASSERT_EQ(shown.size(), 2u);
    const QString sides[] = {QStringLiteral("Pagula - документ 1, лицевая сторона"),
                             QStringLiteral("Pagula - документ 1, обратная сторона")};
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_TRUE(shown[i].window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown[i].window));
        EXPECT_EQ(shownTitle(*shown[i].window), sides[i]);
    }

    // Maximised on this small screen, the front's window shows every command of its tool bars,
    // none behind the "more" button.
    QWidget* front = shown[0].window;
    front->showMaximized();
    QTest::qWait(300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return front->isMaximized(); }, 5000));
    for (QToolBar* bar : front->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            QWidget* button = bar->widgetForAction(action);
            if (action->isSeparator())
                continue;
            EXPECT_TRUE(button && button->isVisible()) << action->text().toStdString();
        }
    }

    // The next run's window tells itself apart from the first run's.
    main().adjustments()->twoSideBox()->setChecked(false);
    main().generate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main().isGenerating(); }, 20000));
    ASSERT_EQ(shown.size(), 3u);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shown[2].window));
    EXPECT_EQ(shownTitle(*shown[2].window), QStringLiteral("Pagula - документ 2"));
}

TEST_F(WindowManager, EveryControlOfTheMainWindowCanBeReachedAtBothSizes)
{
    const char* const controls[] = {
        // Top strip of the right panel.
        "listColumnsCaption", "listColumnsEdit", "listColumnsSpin", "tickedCountLabel",
        "tickAllButton", "untickAllButton", "removeTickedButton", "invertTicksButton",
        "tickEvenButton", "tickOddButton", "aboutButton", "colorFormatGroup", "brightnessCaption",
        "brightnessBar", "brightnessLabel", "contrastCaption", "contrastBar", "contrastLabel",
        "frameBox", "twoSideBox",
        // The other regions.
        "driveCombo", "filterCombo", "cropTabs", "previewTabs", "previousButton", "nextButton",
        "progressBar",
        // The page preparation group, at the bottom strip's right end or under its tab sets.
        "preparationGroup", "findPageBox", "straightenBox", "evenBackgroundBox",
        "allPreparationBox", "keepProportionsBox"};
    CommandStrip* strip = main().rightPanel()->commandStrip();

    // Maximised on the 1024 x 768 screen: everything in sight, nothing scrolls.
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().width() == 1024; }, 5000)) << main().width();
    EXPECT_TRUE(main().isMaximized());
    EXPECT_FALSE(strip->scrollsSideways());
    EXPECT_LE(strip->scroller()->widget()->minimumSizeHint().height(),
              strip->scroller()->viewport()->height());
    EXPECT_EQ(strip->height(), CommandStrip::Height);
    BottomStrip* bottom = main().rightPanel()->bottomStrip();
    EXPECT_FALSE(bottom->wraps());
    // The strip gives a second row's height back once the resize is over.
    EXPECT_TRUE(QTest::qWaitFor([&] { return bottom->height() == BottomStrip::Height; }, 2000))
        << bottom->height();
    for (const char* name : controls) {
        auto* control = main().findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(fullyVisible(control)) << name << " maximised";
    }

    // Restored to 810 x 468: the top strip scrolls sideways, the bottom strip takes a second
    // row; every control can be brought into sight.
    main().showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().size() == MainWindow::RestoredSize; }, 5000))
        << main().width() << " x " << main().height();
    QTest::qWait(100);
    EXPECT_TRUE(strip->scrollsSideways());
    EXPECT_TRUE(bottom->wraps());
    for (const char* name : controls) {
        auto* control = main().findChild<QWidget*>(QString::fromLatin1(name));
        if (strip->isAncestorOf(control))
            strip->scroller()->ensureWidgetVisible(control, 0, 0);
        EXPECT_TRUE(fullyVisible(control)) << name << " restored";
    }
}

TEST_F(WindowManager, PreviewBelongsToTheMainWindow)
{
    showPreview();
    const QWidget& preview = program->previewWindow();
    EXPECT_TRUE(xprop(preview, "WM_TRANSIENT_FOR")
                    .endsWith(QStringLiteral("0x%1").arg(main().winId(), 0, 16)))
        << xprop(preview, "WM_TRANSIENT_FOR").toStdString();
    EXPECT_FALSE(xprop(preview, "_NET_WM_STATE").contains(QStringLiteral("ABOVE")));

    // Minimised and restored with its owner.
    main().showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return isIconic(main()) && isIconic(preview); }, 5000))
        << xprop(preview, "WM_STATE").toStdString();
    // Restored as a task bar does it: by asking the window manager to activate the window.
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowactivate"), QString::number(main().winId())});
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return isMappedNormal(main()) && isMappedNormal(preview); }, 5000))
        << xprop(preview, "WM_STATE").toStdString();
}
