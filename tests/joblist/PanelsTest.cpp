#include "joblist/JobListModel.h"
#include "joblist/JobListTestUtil.h"
#include "joblist/ProgramIcons.h"
#include "joblist/ui/CropTabSet.h"
#include "joblist/ui/JobListPanels.h"
#include "joblist/ui/JobListView.h"
#include "joblist/ui/TickButtonStrip.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace pagula::joblist;
using pagula::joblist::test::codes;
using pagula::joblist::test::fill;
using pagula::joblist::test::ticks;
using pagula::widgets::GradientButton;
using pagula::widgets::UpDown;

namespace
{

class PanelsTest : public ::testing::Test
{
protected:
    PanelsTest()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(panels.tickButtons());
        layout->addWidget(panels.view());
        layout->addWidget(panels.cropTabs());
        window.resize(420, 360);
    }

    template <class T> T* control(const char* name)
    {
        T* w = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void click(const char* button)
    {
        QTest::mouseClick(control<GradientButton>(button), Qt::LeftButton);
    }

    QWidget window;
    JobListPanels panels{&window};
    JobListModel& model = *panels.model();
};

} // namespace

TEST_F(PanelsTest, ControlsCarryTheirNamesAndCaptions)
{
    const struct {
        const char* name;
        QString caption;
    } buttons[] = {
        {"tickAllButton", "Выделить все"},      {"untickAllButton", "Сброс"},
        {"removeTickedButton", "Удалить"},      {"invertTicksButton", "Инвертировать"},
        {"tickEvenButton", "Четные"},           {"tickOddButton", "Нечетные"},
        {"cropAllButton", "Выделить все"},      {"cropResetButton", "Сброс"},
        {"applyProfileOneButton", "Применить"}, {"applyProfileTwoButton", "Применить"},
    };
    for (const auto& b : buttons) {
        if (GradientButton* button = control<GradientButton>(b.name)) {
            EXPECT_EQ(button->caption(), b.caption) << b.name;
        }
    }
    EXPECT_EQ(control<QLabel>("listColumnsCaption")->text(), QStringLiteral("Кол-во колонок:"));
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 0"));
    EXPECT_EQ(control<QLineEdit>("listColumnsEdit")->text(), QStringLiteral("1"));
    EXPECT_TRUE(control<QLineEdit>("listColumnsEdit")->isReadOnly());
    EXPECT_EQ(control<UpDown>("listColumnsSpin")->maximum(), 3);
    EXPECT_EQ(control<QRadioButton>("cropType")->text(), QStringLiteral("С одной стороны"));
    EXPECT_TRUE(control<QRadioButton>("cropType")->isChecked());
    EXPECT_EQ(control<QRadioButton>("twoSideMode")->text(), QStringLiteral("С двух сторон"));
    for (const char* name : {"jobList", "jobListMenu", "cropTabs", "profileOneTab", "profileTwoTab",
                             "cropModeTab", "firstRowFrame", "secondRowFrame"})
        EXPECT_NE(window.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;

    CropTabSet* tabs = control<CropTabSet>("cropTabs");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->currentIndex(), 0);
    const struct {
        const char* sheet;
        QString caption;
        int icon;
    } tabCases[] = {
        {"cropModeTab", "Вид обрезки", 24}, {"profileOneTab", "", 34}, {"profileTwoTab", "", 32}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs->widget(i)->objectName(), QString::fromLatin1(tabCases[i].sheet));
        EXPECT_EQ(tabs->tabText(i), tabCases[i].caption);
        EXPECT_EQ(tabs->tabIcon(i).pixmap(16, 16).toImage().convertToFormat(
                      QImage::Format_ARGB32_Premultiplied),
                  ProgramIcons::image(tabCases[i].icon));
    }
}

// Each spin button writes its own edit box, is labelled with its side, only steps within 0..100
// and lands in the right field of the right profile.
TEST_F(PanelsTest, CropProfileSpins)
{
    const struct {
        const char* spin;
        const char* edit;
        QString caption;
        int profile;
        int CropProfile::*field;
    } cases[] = {
        {"profileOneLeftSpin", "profileOneLeftEdit", "Слева:                %", 1,
         &CropProfile::left},
        {"profileOneRightSpin", "profileOneRightEdit", "Справа:              %", 1,
         &CropProfile::right},
        {"profileOneTopSpin", "profileOneTopEdit", "Сверху:              %", 1, &CropProfile::top},
        {"profileOneBottomSpin", "profileOneBottomEdit", "Снизу:                %", 1,
         &CropProfile::bottom},
        {"profileTwoLeftSpin", "profileTwoLeftEdit", "Слева:                %", 2,
         &CropProfile::left},
        {"profileTwoRightSpin", "profileTwoRightEdit", "Справа:              %", 2,
         &CropProfile::right},
        {"profileTwoTopSpin", "profileTwoTopEdit", "Сверху:              %", 2, &CropProfile::top},
        {"profileTwoBottomSpin", "profileTwoBottomEdit", "Снизу:                %", 2,
         &CropProfile::bottom},
    };
    int step = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spin);
        UpDown* spin = control<UpDown>(c.spin);
        QLineEdit* edit = control<QLineEdit>(c.edit);
        ASSERT_TRUE(spin && edit);
        EXPECT_EQ(spin->associate(), edit);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->text(), QStringLiteral("0"));
        EXPECT_EQ(
            control<QLabel>((QString::fromLatin1(c.edit).chopped(4) + QStringLiteral("Caption"))
                                .toLatin1()
                                .constData())
                ->text(),
            c.caption);
        spin->click(false);
        EXPECT_EQ(spin->position(), 0);
        ++step;
        for (int i = 0; i < step; ++i)
            QTest::mouseClick(spin->upButton(), Qt::LeftButton);
        EXPECT_EQ(edit->text(), QString::number(step));
        EXPECT_EQ(panels.cropProfile(c.profile).*(c.field), step);
    }
    EXPECT_EQ(panels.cropProfile(1), (CropProfile{1, 2, 3, 4}));
    EXPECT_EQ(panels.cropProfile(2), (CropProfile{5, 6, 7, 8}));
    UpDown* profileOneLeftSpin = control<UpDown>("profileOneLeftSpin");
    for (int i = 0; i < 120; ++i)
        profileOneLeftSpin->click(true);
    EXPECT_EQ(panels.cropProfile(1).left, 100);
    EXPECT_EQ(control<QLineEdit>("profileOneLeftEdit")->text(), QStringLiteral("100"));
}

TEST_F(PanelsTest, ButtonsDriveTheList)
{
    fill(model, QStringLiteral("00000"), QStringLiteral("01000"));
    QLabel* tickedCount = control<QLabel>("tickedCountLabel");
    click("tickEvenButton");
    EXPECT_EQ(ticks(model), QStringLiteral("11101"));
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 4"));
    click("tickOddButton");
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 5"));
    click("untickAllButton");
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 0"));
    model.toggleTick(0);
    model.toggleTick(3);
    click("invertTicksButton");
    EXPECT_EQ(ticks(model), QStringLiteral("01101"));
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 3"));
    click("removeTickedButton");
    EXPECT_EQ(model.size(), 2);
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 0"));
    click("tickAllButton");
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 2"));
    click("removeTickedButton");
    EXPECT_EQ(model.size(), 0);
    EXPECT_EQ(tickedCount->text(), QStringLiteral("Выбрано файлов: 0"));

    // Crop commands follow the crop mode radio buttons.
    fill(model, QStringLiteral("0000"), QStringLiteral("1001"));
    control<QRadioButton>("twoSideMode")->setChecked(true);
    EXPECT_EQ(panels.cropMode(), CropMode::TwoSide);
    click("cropAllButton");
    EXPECT_EQ(codes(model), QStringLiteral("1212"));
    EXPECT_EQ(ticks(model), QStringLiteral("1001"));
    control<QRadioButton>("cropType")->setChecked(true);
    click("cropAllButton");
    EXPECT_EQ(codes(model), QStringLiteral("1111"));
    click("cropResetButton");
    EXPECT_EQ(codes(model), QStringLiteral("0000"));
}

TEST_F(PanelsTest, HooksAndDisplayColumns)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    fill(model, QStringLiteral("000"));
    QSignalSpy refresh(&panels, &JobListPanels::previewRefreshRequested);
    QSignalSpy current(&panels, &JobListPanels::currentEntryChanged);
    QSignalSpy changed(&panels, &JobListPanels::listChanged);
    click("applyProfileOneButton");
    click("applyProfileTwoButton");
    EXPECT_EQ(refresh.size(), 2);
    EXPECT_TRUE(changed.isEmpty()); // "Применить" changes no entry

    JobListView* view = panels.view();
    view->doItemsLayout();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 2 * 16 + 8));
    EXPECT_EQ(refresh.size(), 3);
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), 2);

    // The crop zone uses the mode of the crop tab set.
    control<QRadioButton>("twoSideMode")->setChecked(true);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 8));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 8));
    EXPECT_EQ(codes(model), QStringLiteral("200"));
    EXPECT_FALSE(changed.isEmpty());

    UpDown* listColumnsSpin = control<UpDown>("listColumnsSpin");
    QTest::mouseClick(listColumnsSpin->upButton(), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>("listColumnsEdit")->text(), QStringLiteral("2"));
    EXPECT_EQ(view->displayColumns(), 2);
    EXPECT_TRUE(view->isWrapping());
    QTest::mouseClick(listColumnsSpin->upButton(), Qt::LeftButton);
    QTest::mouseClick(listColumnsSpin->upButton(), Qt::LeftButton);
    EXPECT_EQ(view->displayColumns(), 3);
    QTest::mouseClick(listColumnsSpin->downButton(), Qt::LeftButton);
    QTest::mouseClick(listColumnsSpin->downButton(), Qt::LeftButton);
    EXPECT_EQ(view->displayColumns(), 1);
    EXPECT_FALSE(view->isWrapping());

    // Screenshots for a person to look at, when asked for.
    const QString shots = qEnvironmentVariable("PAGULA_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        fill(model, QStringLiteral("0120012"), QStringLiteral("0110100"));
        model.insertBlank();
        model.setCurrentRow(4);
        view->setFocus();
        QTest::qWait(50);
        window.grab().save(QDir(shots).filePath(QStringLiteral("joblist-panels.png")));
        for (int tab = 1; tab < 3; ++tab) {
            panels.cropTabs()->setCurrentIndex(tab);
            panels.cropTabs()->grab().save(
                QDir(shots).filePath(QStringLiteral("joblist-crop-tab%1.png").arg(tab)));
        }
        QImage strip(ProgramIcons::Count * 18, 18, QImage::Format_ARGB32);
        strip.fill(QColor(182, 196, 231));
        QPainter p(&strip);
        for (int i = 0; i < ProgramIcons::Count; ++i)
            p.drawImage(i * 18 + 1, 1, ProgramIcons::image(i));
        p.end();
        strip.scaled(strip.size() * 4).save(QDir(shots).filePath(QStringLiteral("croplist.png")));
    }
}
