// The change handlers against controls that behave as the toolkit's do: writing a different
// text runs the edit's handler nested in the write, writing the same text runs nothing.
#include "layout/LayoutHandlers.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

using namespace pagula::layout;

namespace
{

class FakeControls : public LayoutControls
{
public:
    FakeControls() : handlers(*this, [this](const QString& m) { reports << m; })
    {
        handlers.setTrace([this](const char* name, int depth) {
            trace << QStringLiteral("%1@%2").arg(QLatin1String(name)).arg(depth);
        });
    }

    // The controls come up with their start values and the layout is computed once.
    void start()
    {
        handlers.onGridOrMarginsEdited();
        handlers.onCellSizeEdited();
        trace.clear();
        redraws = 0;
    }

    // A text typed by the user: the same path as a write by code.
    void type(LayoutEdit edit, const char* text) { setText(edit, QString::fromUtf8(text)); }

    int columnsPosition() const override { return columns; }
    int rowsPosition() const override { return rows; }
    int gutterPosition() const override { return gutter; }
    QString text(LayoutEdit edit) const override { return texts.at(edit); }
    void setText(LayoutEdit edit, const QString& text) override
    {
        if (texts[edit] == text)
            return;
        texts[edit] = text;
        switch (edit) {
        case LayoutEdit::CellWidth:
        case LayoutEdit::CellHeight:
            handlers.onCellSizeEdited();
            break;
        case LayoutEdit::MarginLeft:
        case LayoutEdit::MarginRight:
        case LayoutEdit::MarginTop:
        case LayoutEdit::MarginBottom:
            handlers.onGridOrMarginsEdited();
            break;
        case LayoutEdit::MaxCellWidth:
        case LayoutEdit::MaxCellHeight:
            break;
        }
    }
    void redrawSchematic() override { ++redraws; }

    // Spin buttons write their edit, whose change runs onGridOrMarginsEdited.
    void setColumns(int value)
    {
        columns = value;
        handlers.onGridOrMarginsEdited();
    }

    int columns = 3, rows = 3, gutter = 6;
    std::map<LayoutEdit, QString> texts{
        {LayoutEdit::CellWidth, "1000.0"},   {LayoutEdit::CellHeight, "1000.0"},
        {LayoutEdit::MaxCellWidth, "999.0"}, {LayoutEdit::MaxCellHeight, "999.0"},
        {LayoutEdit::MarginLeft, "7"},       {LayoutEdit::MarginRight, "10"},
        {LayoutEdit::MarginTop, "7"},        {LayoutEdit::MarginBottom, "20"},
    };
    QStringList reports;
    QStringList trace;
    int redraws = 0;
    LayoutHandlers handlers;
};

QString floatError(const char* text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(QString::fromUtf8(text));
}

} // namespace

TEST(LayoutHandlers, ClampChainEndsWhenTheSameTextIsWritten)
{
    FakeControls f;
    f.start();
    f.setColumns(4);
    const LayoutSettings& s = f.handlers.settings();
    EXPECT_EQ(s.maxCellWidth, 48.25);
    EXPECT_EQ(s.cellWidth, 48.25); // the re-read 48.3 is above 48.25: the exact maximum stays
    EXPECT_EQ(f.texts[LayoutEdit::CellWidth], "48.3");
    EXPECT_EQ(f.texts[LayoutEdit::MaxCellWidth], "48.3");
    // The write of 48.3 ran onCellSizeEdited once; its own write of 48.3 was no change.
    EXPECT_EQ(f.trace, (QStringList{"onGridOrMarginsEdited@0", "onCellSizeEdited@1"}));

    f.trace.clear();
    f.setColumns(3); // the maximum grows, the chosen width stays
    EXPECT_DOUBLE_EQ(s.maxCellWidth, 193.0 / 3.0);
    EXPECT_EQ(s.cellWidth, 48.25);
    EXPECT_EQ(f.trace, QStringList{"onGridOrMarginsEdited@0"});
    f.handlers.takeMaxCellWidth();
    EXPECT_EQ(s.cellWidth, 64.3);
    EXPECT_EQ(f.texts[LayoutEdit::CellWidth], "64.3");
}

TEST(LayoutHandlers, FailureEndsTheHandlerAfterTheFieldsReadSoFar)
{
    FakeControls f;
    f.start();
    const LayoutSettings before = f.handlers.settings();
    f.type(LayoutEdit::MarginRight, "x");
    f.type(LayoutEdit::MarginTop, "12"); // reads leftMarginEdit, fails at rightMarginEdit again
    const LayoutSettings& s = f.handlers.settings();
    const QString bad = QStringLiteral("'x' is not a valid integer value");
    EXPECT_EQ(f.reports, (QStringList{bad, bad}));
    EXPECT_EQ(s.marginLeft, 7);
    EXPECT_EQ(s.marginTop, before.marginTop); // never reached
    EXPECT_EQ(s.maxCellWidth, before.maxCellWidth);
    EXPECT_EQ(f.redraws, 0);

    f.reports.clear();
    f.type(LayoutEdit::MarginRight, "5"); // recovers: every field is read again
    EXPECT_EQ(s.marginTop, 12);
    EXPECT_DOUBLE_EQ(s.maxCellWidth, (210.0 - 7 - 5) / 3);
    EXPECT_TRUE(f.reports.isEmpty());
}

TEST(LayoutHandlers, NestedFailureEndsTheOuterHandlerAndIsReportedOnce)
{
    FakeControls f;
    f.start();
    f.type(LayoutEdit::CellHeight, "abc");
    ASSERT_EQ(f.reports, QStringList{floatError("abc")});
    EXPECT_EQ(f.handlers.settings().cellWidth, 64.3); // read before the bad height
    f.reports.clear();
    f.redraws = 0;
    f.trace.clear();

    f.setColumns(4); // writes cellWidthEdit, whose nested run meets the bad cellHeightEdit
    const LayoutSettings& s = f.handlers.settings();
    EXPECT_EQ(f.reports, QStringList{floatError("abc")});
    EXPECT_EQ(f.trace, (QStringList{"onGridOrMarginsEdited@0", "onCellSizeEdited@1"}));
    EXPECT_EQ(s.maxCellWidth, 48.25);
    EXPECT_EQ(s.cellWidth, 48.25);
    EXPECT_EQ(f.texts[LayoutEdit::MaxCellHeight], "90.0"); // the height part was skipped
    EXPECT_EQ(f.redraws, 0);

    // The next good change handles normally again.
    f.reports.clear();
    f.type(LayoutEdit::CellHeight, "50");
    EXPECT_TRUE(f.reports.isEmpty());
    EXPECT_EQ(s.cellHeight, 50.0);
}

TEST(LayoutHandlers, MarginsThatLeaveNoRoomGiveZero)
{
    FakeControls f;
    f.start();
    f.type(LayoutEdit::MarginLeft, "100");
    f.type(LayoutEdit::MarginRight, "110");
    const LayoutSettings& s = f.handlers.settings();
    EXPECT_EQ(s.maxCellWidth, 0.0);
    EXPECT_EQ(s.cellWidth, 0.0);
    EXPECT_EQ(f.texts[LayoutEdit::MaxCellWidth], "0.0");
    EXPECT_EQ(f.texts[LayoutEdit::CellWidth], "0.0");
    f.type(LayoutEdit::MarginRight, "150"); // below zero: the chosen width follows it down
    EXPECT_EQ(s.maxCellWidth, -40.0 / 3);
    EXPECT_EQ(f.texts[LayoutEdit::CellWidth], "-13.3");
    EXPECT_TRUE(f.reports.isEmpty());
}
