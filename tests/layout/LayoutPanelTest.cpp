// The layout panel driven through its real widgets.
#include "layout/ui/LayoutPanel.h"
#include "layout/ui/SchematicView.h"

#include "SchematicPixels.h"
#include "layout/SchematicPainter.h"
#include "widgets/ErrorReport.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace pagula::layout;
using pagula::widgets::ErrorReport;
using pagula::widgets::UpDown;

namespace
{

class LayoutPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ErrorReport::setHook([this](const QString& text) { reports << text; });
        auto* column = new QVBoxLayout(&window);
        panel = new LayoutPanel(&window);
        frame = new QCheckBox(QStringLiteral("Рамка вокруг рисунков"), &window);
        frame->setChecked(true);
        twoSide = new QCheckBox(QStringLiteral("Двусторонняя печать"), &window);
        column->addWidget(panel);
        column->addWidget(frame);
        column->addWidget(twoSide);
        panel->attachCheckBoxes(frame, twoSide);
        panel->setHandlerTrace([this](const char* name, int depth) {
            trace << QStringLiteral("%1@%2").arg(QLatin1String(name)).arg(depth);
        });
        window.show();
    }
    void TearDown() override { ErrorReport::setHook({}); }

    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    UpDown* upDown(const char* name) { return control<UpDown>(name); }
    template <class W> W* control(const char* name)
    {
        W* w = panel->findChild<W*>(QString::fromLatin1(name));
        if (w == nullptr)
            ADD_FAILURE() << "no control " << name;
        return w;
    }

    // Selects the edit's text and types over it, one key at a time.
    void typeInto(QLineEdit* e, const char* text)
    {
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e, QString::fromUtf8(text));
    }
    void empty(QLineEdit* e)
    {
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Backspace);
    }
    void clickArrow(const char* name, bool up, int times = 1)
    {
        UpDown* u = upDown(name);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(up ? u->upButton() : u->downButton(), Qt::LeftButton);
    }

    // The schematic as the panel must show it for the current settings and options.
    QImage expectedSchematic()
    {
        SchematicInput input;
        input.layout.settings = panel->settings();
        input.layout.gutterSide = panel->gutterSide();
        input.layout.twoSide = twoSide->isChecked();
        input.frame = frame->isChecked();
        input.tooltipBackground = QApplication::palette().color(QPalette::ToolTipBase);
        input.windowText = QApplication::palette().color(QPalette::WindowText);
        return renderSchematic(input);
    }

    QWidget window;
    LayoutPanel* panel = nullptr;
    QCheckBox* frame = nullptr;
    QCheckBox* twoSide = nullptr;
    QStringList reports;
    QStringList trace;
};

QString floatError(const char* text)
{
    return QStringLiteral("'%1' is not a valid floating point value.").arg(QString::fromUtf8(text));
}

} // namespace

TEST_F(LayoutPanelTest, StartState)
{
    const struct {
        const char* name;
        const char* text;
        bool readOnly;
    } edits[] = {
        {"columnsEdit", "3", true},         {"rowsEdit", "3", true},
        {"cellWidthEdit", "64.3", false},   {"cellHeightEdit", "90.0", false},
        {"maxCellWidthEdit", "64.3", true}, {"maxCellHeightEdit", "90.0", true},
        {"leftMarginEdit", "7", false},     {"rightMarginEdit", "10", false},
        {"topMarginEdit", "7", false},      {"bottomMarginEdit", "20", false},
        {"gutterSizeEdit", "6", true},
    };
    for (const auto& e : edits) {
        QLineEdit* w = edit(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->text(), QString::fromLatin1(e.text)) << e.name;
        EXPECT_EQ(w->isReadOnly(), e.readOnly) << e.name;
    }
    const struct {
        const char* name;
        int minimum, maximum, position;
        const char* associate;
    } spins[] = {
        {"columnsSpin", 1, 15, 3, "columnsEdit"},
        {"rowsSpin", 1, 15, 3, "rowsEdit"},
        {"leftMarginSpin", 0, 100, 7, "leftMarginEdit"},
        {"rightMarginSpin", 0, 100, 10, "rightMarginEdit"},
        {"topMarginSpin", 0, 100, 7, "topMarginEdit"},
        {"bottomMarginSpin", 0, 100, 20, "bottomMarginEdit"},
        {"gutterSizeSpin", 0, 30, 6, "gutterSizeEdit"},
        {"cellWidthStep", 0, 0, 0, nullptr},
        {"cellHeightStep", 0, 0, 0, nullptr},
    };
    for (const auto& s : spins) {
        UpDown* u = upDown(s.name);
        ASSERT_NE(u, nullptr);
        if (s.associate == nullptr) {
            EXPECT_EQ(u->associate(), nullptr) << s.name;
            continue;
        }
        EXPECT_EQ(u->associate(), edit(s.associate)) << s.name;
        EXPECT_EQ(u->minimum(), s.minimum) << s.name;
        EXPECT_EQ(u->maximum(), s.maximum) << s.name;
        EXPECT_EQ(u->position(), s.position) << s.name;
    }
    EXPECT_EQ(upDown("cellWidthStep")->property("Tag").toInt(), 0);
    EXPECT_EQ(upDown("cellHeightStep")->property("Tag").toInt(), 1);

    auto* gutterSideBox = control<QComboBox>("gutterSideBox");
    ASSERT_NE(gutterSideBox, nullptr);
    QStringList items;
    for (int i = 0; i < gutterSideBox->count(); ++i)
        items << gutterSideBox->itemText(i);
    EXPECT_EQ(items, (QStringList{"Слева", "Справа", "Сверху", "Снизу"}));
    EXPECT_EQ(gutterSideBox->currentIndex(), 0);
    EXPECT_EQ(panel->gutterSide(), GutterSide::Left);

    QStringList labels;
    for (QLabel* l : panel->findChildren<QLabel*>())
        labels << l->text();
    for (const char* text : {"Количество строк:", "Количество столбцов:", "Отступы (в мм):",
                             "Слева   Справа  Сверху  Снизу", "Установлено Максимально",
                             "Ширина:", "Высота:", "мм", "Отступ для переплета", "Размер:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;

    const LayoutSettings& s = panel->settings();
    EXPECT_EQ(s.columns, 3);
    EXPECT_EQ(s.rows, 3);
    EXPECT_EQ(s.cellWidth, 64.3); // not 64.333...
    EXPECT_DOUBLE_EQ(s.maxCellWidth, 193.0 / 3.0);
    EXPECT_EQ(s.cellHeight, 90.0);
    EXPECT_EQ(s.maxCellHeight, 90.0);
    EXPECT_EQ(s.marginLeft, 7);
    EXPECT_EQ(s.marginRight, 10);
    EXPECT_EQ(s.marginTop, 7);
    EXPECT_EQ(s.marginBottom, 20);
    EXPECT_EQ(s.gutterSize, 6);
    EXPECT_TRUE(reports.isEmpty());

    const QImage shown = panel->schematic();
    ASSERT_EQ(shown.size(), QSize(210, 297));
    EXPECT_EQ(panel->schematicView()->size(), QSize(210, 297));
    EXPECT_EQ(panel->schematicView()->objectName(), "schematicView");
    EXPECT_EQ(shown, expectedSchematic());
    EXPECT_EQ(test::ringMismatch(shown, QRect(135, 187, 65, 91), Qt::black), "");
}

TEST_F(LayoutPanelTest, MoreColumnsClampTheWidthAndTakingTheMaximumCopiesIt)
{
    clickArrow("columnsSpin", true);
    const LayoutSettings& s = panel->settings();
    EXPECT_EQ(edit("columnsEdit")->text(), "4");
    EXPECT_EQ(s.columns, 4);
    EXPECT_EQ(s.maxCellWidth, 48.25);
    EXPECT_EQ(edit("maxCellWidthEdit")->text(), "48.3");
    EXPECT_EQ(edit("cellWidthEdit")->text(), "48.3");
    EXPECT_EQ(s.cellWidth, 48.25);
    EXPECT_EQ(trace, (QStringList{"onGridOrMarginsEdited@0", "onCellSizeEdited@1"}));
    EXPECT_EQ(panel->schematic(), expectedSchematic());

    clickArrow("columnsSpin", false);
    EXPECT_DOUBLE_EQ(s.maxCellWidth, 193.0 / 3.0);
    EXPECT_EQ(edit("maxCellWidthEdit")->text(), "64.3");
    EXPECT_EQ(edit("cellWidthEdit")->text(), "48.3");
    EXPECT_EQ(s.cellWidth, 48.25);

    QTest::mouseClick(edit("maxCellWidthEdit"), Qt::LeftButton);
    EXPECT_EQ(edit("cellWidthEdit")->text(), "64.3");
    EXPECT_EQ(s.cellWidth, 64.3);

    typeInto(edit("cellHeightEdit"), "50");
    QTest::mouseClick(edit("maxCellHeightEdit"), Qt::LeftButton);
    EXPECT_EQ(edit("cellHeightEdit")->text(), "90.0");
    EXPECT_EQ(s.cellHeight, 90.0);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(LayoutPanelTest, TypingAboveTheMaximumIsWrittenBackAtOnce)
{
    typeInto(edit("cellWidthEdit"), "70");
    EXPECT_EQ(edit("cellWidthEdit")->text(), "64.3");
    EXPECT_EQ(panel->settings().cellWidth, 64.3);
    // "7" is handled, then "70", whose clamp writes 64.3 and is handled nested.
    EXPECT_EQ(trace,
              (QStringList{"onCellSizeEdited@0", "onCellSizeEdited@0", "onCellSizeEdited@1"}));
    EXPECT_EQ(panel->schematic(), expectedSchematic());
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(LayoutPanelTest, StepArrows)
{
    clickArrow("cellWidthStep", true); // at the maximum
    EXPECT_EQ(edit("cellWidthEdit")->text(), "64.3");
    EXPECT_EQ(panel->settings().cellWidth, 64.3);

    typeInto(edit("cellWidthEdit"), "5.0");
    EXPECT_EQ(panel->settings().cellWidth, 5.0);
    clickArrow("cellWidthStep", false, 10);
    EXPECT_EQ(edit("cellWidthEdit")->text(), "-5.0");
    EXPECT_EQ(panel->settings().cellWidth, -5.0);

    clickArrow("cellHeightStep", false, 2);
    EXPECT_EQ(edit("cellHeightEdit")->text(), "88.0");
    EXPECT_EQ(panel->settings().cellHeight, 88.0);
    clickArrow("cellHeightStep", true, 5);
    EXPECT_EQ(edit("cellHeightEdit")->text(), "90.0");
    EXPECT_EQ(panel->settings().cellHeight, 90.0);
    EXPECT_EQ(panel->schematic(), expectedSchematic());
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(LayoutPanelTest, CommaOrDotIsTheOneDecimalSeparator)
{
    // A Russian user types the comma: "48,5" is 48.5, never 485 or 48.
    typeInto(edit("cellWidthEdit"), "48");
    QTest::keyClicks(edit("cellWidthEdit"), QStringLiteral(",5"));
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(edit("cellWidthEdit")->text(), "48,5");
    EXPECT_EQ(panel->settings().cellWidth, 48.5);
    const LayoutSettings before = panel->settings();
    const QImage picture = panel->schematic();
    QSignalSpy redraws(panel, &LayoutPanel::schematicDrawn);

    // A second separator is no number.
    QTest::keyClicks(edit("cellWidthEdit"), QStringLiteral(",5"));
    EXPECT_EQ(reports, (QStringList{floatError("48,5,"), floatError("48,5,5")}));
    EXPECT_EQ(edit("cellWidthEdit")->text(), "48,5,5");
    EXPECT_EQ(panel->settings().cellWidth, 48.5);
    EXPECT_EQ(panel->settings().maxCellWidth, before.maxCellWidth);
    EXPECT_EQ(panel->settings().maxCellHeight, before.maxCellHeight);
    EXPECT_EQ(redraws.count(), 0);
    EXPECT_EQ(panel->schematic(), picture);

    // The step arrow reads the same text and fails the same way.
    reports.clear();
    clickArrow("cellWidthStep", true);
    EXPECT_EQ(reports, QStringList{floatError("48,5,5")});

    // A user locale with a decimal comma changes nothing.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    reports.clear();
    typeInto(edit("cellWidthEdit"), "48.5");
    clickArrow("cellWidthStep", true);
    QLocale::setDefault(previous);
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(edit("cellWidthEdit")->text(), "49.5");
    EXPECT_EQ(panel->settings().cellWidth, 49.5);
}

TEST_F(LayoutPanelTest, EmptyMarginReportsAndChangesNothing)
{
    const LayoutSettings before = panel->settings();
    const QImage picture = panel->schematic();
    QSignalSpy redraws(panel, &LayoutPanel::schematicDrawn);

    empty(edit("leftMarginEdit"));
    EXPECT_EQ(reports, QStringList{"'' is not a valid integer value."});
    EXPECT_EQ(panel->settings().marginLeft, 7);
    EXPECT_EQ(panel->settings().maxCellWidth, before.maxCellWidth);
    EXPECT_EQ(panel->settings().maxCellHeight, before.maxCellHeight);
    EXPECT_EQ(edit("maxCellWidthEdit")->text(), "64.3");
    EXPECT_EQ(redraws.count(), 0);
    EXPECT_EQ(panel->schematic(), picture);

    // Typing a margin again recovers.
    reports.clear();
    QTest::keyClicks(edit("leftMarginEdit"), QStringLiteral("25"));
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(panel->settings().marginLeft, 25);
    EXPECT_EQ(panel->settings().maxCellWidth, 175.0 / 3);
    EXPECT_EQ(edit("cellWidthEdit")->text(), "58.3");
}

TEST_F(LayoutPanelTest, NestedFailureEndsTheOuterHandlerWithOneReport)
{
    typeInto(edit("cellHeightEdit"), "x");
    ASSERT_EQ(reports, QStringList{floatError("x")});
    reports.clear();
    trace.clear();
    const QImage picture = panel->schematic();

    clickArrow("columnsSpin",
               true); // onGridOrMarginsEdited writes cellWidthEdit; the nested run meets "x"
    EXPECT_EQ(reports, QStringList{floatError("x")});
    EXPECT_EQ(trace, (QStringList{"onGridOrMarginsEdited@0", "onCellSizeEdited@1"}));
    EXPECT_EQ(panel->settings().maxCellWidth, 48.25);
    EXPECT_EQ(panel->settings().cellWidth, 48.25);
    EXPECT_EQ(panel->schematic(), picture); // both redraws skipped
}

TEST_F(LayoutPanelTest, MarginsLeavingNoRoomGiveZero)
{
    typeInto(edit("leftMarginEdit"), "100");
    typeInto(edit("rightMarginEdit"), "110");
    EXPECT_EQ(panel->settings().maxCellWidth, 0.0);
    EXPECT_EQ(panel->settings().cellWidth, 0.0);
    EXPECT_EQ(edit("maxCellWidthEdit")->text(), "0.0");
    EXPECT_EQ(edit("cellWidthEdit")->text(), "0.0");
    EXPECT_EQ(panel->schematic(), expectedSchematic());

    // A typed margin beyond the spin range is taken as typed; the spin arrow steps from it
    // within its range.
    EXPECT_EQ(panel->settings().marginRight, 110);
    clickArrow("rightMarginSpin", false);
    EXPECT_EQ(edit("rightMarginEdit")->text(), "99");
    EXPECT_EQ(panel->settings().marginRight, 99);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(LayoutPanelTest, CheckBoxesAndGutterRunTheCellSizeHandler)
{
    QTest::mouseClick(frame, Qt::LeftButton);
    EXPECT_FALSE(frame->isChecked());
    EXPECT_EQ(trace, QStringList{"onCellSizeEdited@0"});
    const QColor silver(192, 192, 192);
    EXPECT_EQ(test::ringMismatch(panel->schematic(), QRect(7, 7, 65, 91), silver), "");
    EXPECT_EQ(panel->schematic(), expectedSchematic());

    trace.clear();
    QTest::mouseClick(twoSide, Qt::LeftButton);
    EXPECT_EQ(trace, QStringList{"onCellSizeEdited@0"});
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    const QRect firstCellNumber(13, 8, 58, 89);
    EXPECT_EQ(test::inkIn(panel->schematic(), firstCellNumber, text),
              test::expectedNumberInk("1(2)"));

    trace.clear();
    auto* gutterSideBox = control<QComboBox>("gutterSideBox");
    gutterSideBox->setFocus();
    QTest::keyClick(gutterSideBox, Qt::Key_Down); // the user picks "Справа"
    EXPECT_EQ(panel->gutterSide(), GutterSide::Right);
    EXPECT_EQ(trace, QStringList{"onCellSizeEdited@0"});
    EXPECT_EQ(panel->schematic(), expectedSchematic());

    trace.clear();
    panel->setGutterSide(GutterSide::Bottom); // the composition mirrors the side
    EXPECT_EQ(gutterSideBox->currentIndex(), 3);
    EXPECT_EQ(trace, QStringList{"onCellSizeEdited@0"});
    const QImage bottom = panel->schematic();
    EXPECT_EQ(test::fillMismatch(bottom, QRect(8, 93, 63, 4), schematicStripFill()), "");
    panel->setGutterSide(GutterSide::Bottom);
    EXPECT_EQ(trace.size(), 1); // no change, no run

    clickArrow("gutterSizeSpin", true);
    EXPECT_EQ(edit("gutterSizeEdit")->text(), "7");
    EXPECT_EQ(panel->settings().gutterSize, 7);
    EXPECT_EQ(panel->schematic(), expectedSchematic());
    EXPECT_TRUE(reports.isEmpty());
}

TEST(LayoutPanelStandIns, WorkAloneAndAttachedBoxesOutliveThePanel)
{
    QCheckBox frame, twoSide;
    frame.setChecked(true);
    {
        LayoutPanel panel;
        ASSERT_NE(panel.frameCheckBox(), nullptr);
        EXPECT_TRUE(panel.frameCheckBox()->isChecked());
        EXPECT_FALSE(panel.twoSideCheckBox()->isChecked());
        panel.twoSideCheckBox()->setChecked(true); // a stand-in change also runs the handler
        const QImage twoSided = panel.schematic();
        panel.attachCheckBoxes(&frame, &twoSide);
        EXPECT_NE(panel.schematic(), twoSided); // redrawn with the attached, one-sided box
        EXPECT_EQ(panel.twoSideCheckBox(), &twoSide);
    }
    twoSide.setChecked(true); // the panel is gone; nothing may reach it
    SUCCEED();
}
