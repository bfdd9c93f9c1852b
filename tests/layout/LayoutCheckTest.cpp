#include "layout/LayoutCheck.h"

#include "common/Language.h"

#include <QCoreApplication>

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace pagula;
using namespace pagula::layout;

namespace
{

// The program's start values with the largest cells that fit.
LayoutInput startValues()
{
    LayoutInput in;
    in.marginLeft = 7;
    in.marginRight = 10;
    in.marginTop = 7;
    in.marginBottom = 20;
    in.cellWidth = 64.3;
    in.cellHeight = 90.0;
    in.gutterSize = 6;
    in.gutterSide = GutterSide::Left;
    return in;
}

} // namespace

TEST(LayoutCheck, StartValuesAndEdgesThatStillMakeAPage)
{
    const std::function<void(LayoutInput&)> edits[] = {
        [](LayoutInput&) {},
        [](LayoutInput& in) { in.marginLeft = 0; },
        [](LayoutInput& in) {
            in.marginLeft = 199, in.marginRight = 0, in.gutterSize = 0, in.columns = 1,
            in.cellWidth = 11;
        },
        [](LayoutInput& in) { in.cellWidth = 6.01; }, // just above the strip
        [](LayoutInput& in) {
            in.gutterSide = GutterSide::Top, in.cellWidth = 0.5;
        }, // strip runs across
        [](LayoutInput& in) {
            in.gutterSide = GutterSide::None, in.gutterSize = 30;
        }, // no strip chosen
        [](LayoutInput& in) {
            in.crop1 = {99, 0, 0, 99};
        },
        [](LayoutInput& in) {
            in.crop2 = {100, 0, 0, 0}, in.crop2Used = false;
        },
    };
    for (size_t k = 0; k < std::size(edits); ++k) {
        LayoutInput in = startValues();
        edits[k](in);
        const auto problem = checkLayout(in);
        EXPECT_FALSE(problem) << k << ": " << problem->optionMessage.toStdString();
    }
}

TEST(LayoutCheck, NamesTheFirstSettingThatCannotMakeAPageAndItsRange)
{
    const struct {
        const char* name;
        std::function<void(LayoutInput&)> edit;
        LayoutSetting setting;
        double minimum, maximum;
        const char* option;  // fragment of the command-line text
        const char* russian; // fragment of the window's text
    } cases[] = {
        {"columns", [](LayoutInput& in) { in.columns = 0; }, LayoutSetting::Columns, 1, 15,
         "--columns 0", "Число столбцов"},
        {"margin off the page", [](LayoutInput& in) { in.marginLeft = -50; },
         LayoutSetting::MarginLeft, 0, 199, "--margin-left -50 puts the cells off the page",
         "Отступ слева: -50 мм"},
        {"margin leaves no room", [](LayoutInput& in) { in.marginLeft = 300; },
         LayoutSetting::MarginLeft, 0, 199, "allowed 0 to 199 mm", "Допустимо от 0 до 199 мм"},
        {"margins together leave no room",
         [](LayoutInput& in) { in.marginTop = 150, in.marginBottom = 147; },
         LayoutSetting::MarginTop, 0, 149, "--margin-top 150", "Отступ сверху"},
        {"bottom margin", [](LayoutInput& in) { in.marginBottom = 297; },
         LayoutSetting::MarginBottom, 0, 289, "--margin-bottom 297", "Отступ снизу"},
        {"cell width zero", [](LayoutInput& in) { in.cellWidth = 0; }, LayoutSetting::CellWidth, 6,
         64.33, "allowed more than 6 mm, at most 64.33 mm", "Ширина ячейки: 0 мм"},
        {"cell as wide as its strip", [](LayoutInput& in) { in.cellWidth = 6; },
         LayoutSetting::CellWidth, 6, 64.33, "--cell-width 6", "переплета (6 мм)"},
        {"cell width not a number",
         [](LayoutInput& in) { in.cellWidth = std::numeric_limits<double>::quiet_NaN(); },
         LayoutSetting::CellWidth, 6, 64.33, "--cell-width 0", "Ширина ячейки"},
        {"cell height below zero, strip at the top",
         [](LayoutInput& in) { in.gutterSide = GutterSide::Bottom, in.cellHeight = -1; },
         LayoutSetting::CellHeight, 6, 90, "--cell-height -1", "Высота ячейки"},
        {"strip wider than the largest cell",
         [](LayoutInput& in) {
             in.columns = 15, in.rows = 15, in.gutterSize = 30, in.cellWidth = 12.8;
         },
         LayoutSetting::Gutter, 0, 12, "--gutter 30 leaves no room for the picture",
         "Отступ для переплета: 30 мм"},
        {"crop of the whole width",
         [](LayoutInput& in) {
             in.crop1 = {60, 40, 0, 0};
         },
         LayoutSetting::Crop1, 0, 99, "--crop1 cuts off the whole width: left + right is 100%",
         "Обрезка профиля 1: 100%"},
        {"crop of the whole height",
         [](LayoutInput& in) {
             in.crop2 = {0, 0, 0, 100};
         },
         LayoutSetting::Crop2, 0, 99, "top + bottom is 100%", "сверху + снизу"},
        // Margins are judged before the cell they shrink.
        {"order", [](LayoutInput& in) { in.marginRight = 500, in.cellWidth = 0; },
         LayoutSetting::MarginRight, 0, 202, "--margin-right 500", "Отступ справа"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutInput in = startValues();
        c.edit(in);
        // The batch command's text in English, the window's in Russian.
        pagula::common::installTranslations(*qApp, pagula::common::Language::English);
        const auto english = checkLayout(in);
        pagula::common::installTranslations(*qApp, pagula::common::Language::Russian);
        const auto problem = checkLayout(in);
        ASSERT_TRUE(problem && english);
        EXPECT_EQ(problem->setting, c.setting);
        EXPECT_NEAR(problem->minimum, c.minimum, 0.005);
        EXPECT_NEAR(problem->maximum, c.maximum, 0.005);
        EXPECT_TRUE(english->optionMessage.contains(QString::fromUtf8(c.option)))
            << english->optionMessage.toStdString();
        EXPECT_TRUE(problem->userMessage.contains(QString::fromUtf8(c.russian)))
            << problem->userMessage.toStdString();
    }
}
