#include "layout/SchematicPainter.h"

#include "SchematicPixels.h"

#include <QFontMetrics>
#include <climits>
#include <gtest/gtest.h>

using namespace pagula::layout;
using namespace pagula::layout::test;

namespace
{

const int kXs[] = {7, 71, 135};
const int kYs[] = {7, 97, 187};

// The cell's inside to the right of a left strip, where the number is written.
QRect numberArea(int x, int y)
{
    return QRect(x + 6, y + 1, 58, 89);
}

} // namespace

TEST(SchematicPainter, DefaultsPageCellsAndStrips)
{
    const QImage img = renderSchematic(startInput());
    ASSERT_EQ(img.size(), QSize(210, 297));
    EXPECT_EQ(ringMismatch(img, QRect(0, 0, 210, 297), Qt::black), "");
    EXPECT_EQ(fillMismatch(img, QRect(1, 1, 6, 295), Qt::white), ""); // left margin: nothing drawn
    EXPECT_EQ(fillMismatch(img, QRect(200, 1, 9, 295), Qt::white), "");
    EXPECT_EQ(fillMismatch(img, QRect(1, 278, 208, 18), Qt::white), "");

    for (int x : kXs) {
        for (int y : kYs) {
            SCOPED_TRACE(testing::Message() << "cell at " << x << "," << y);
            EXPECT_EQ(ringMismatch(img, QRect(x, y, 65, 91), Qt::black), "");
            EXPECT_EQ(ringMismatch(img, QRect(x, y, 6, 91), Qt::black), "");
            EXPECT_EQ(fillMismatch(img, QRect(x + 1, y + 1, 4, 89), schematicStripFill()), "");
            EXPECT_EQ(fillMismatch(img, QRect(x + 6, y + 1, 58, 30), testTooltipColour()), "");
            EXPECT_EQ(fillMismatch(img, QRect(x + 6, y + 60, 58, 30), testTooltipColour()), "");
        }
    }
}

TEST(SchematicPainter, NumbersAreCentredAndReadRowByRow)
{
    for (bool twoSide : {false, true}) {
        SchematicInput input = startInput();
        input.layout.twoSide = twoSide;
        const QImage img = renderSchematic(input);
        const QFontMetrics fm(schematicNumberFont());
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r) {
                const int n = r * 3 + c + 1;
                const QString text = twoSide ? QStringLiteral("%1(%2)").arg(2 * n - 1).arg(2 * n)
                                             : QString::number(n);
                SCOPED_TRACE(text.toStdString());
                const QRect area = numberArea(kXs[c], kYs[r]);
                EXPECT_EQ(inkIn(img, area, Qt::black), expectedNumberInk(text));
                // Centred on x + 32 within the text's own side bearings; its top at y + 40.
                const QRect ink = inkBounds(img, area, Qt::black);
                const int left = kXs[c] + 32 - fm.horizontalAdvance(text) / 2;
                EXPECT_GE(ink.left(), left);
                EXPECT_LE(ink.right(), left + fm.horizontalAdvance(text));
                EXPECT_GE(ink.top(), kYs[r] + 40);
                EXPECT_LE(ink.bottom(), kYs[r] + 40 + fm.height());
            }
        }
    }
}

TEST(SchematicPainter, OutlinesTurnSilverWithoutFrame)
{
    SchematicInput input = startInput();
    input.frame = false;
    const QImage img = renderSchematic(input);
    const QColor silver(192, 192, 192);
    EXPECT_EQ(ringMismatch(img, QRect(0, 0, 210, 297), Qt::black), "");
    for (int x : kXs) {
        for (int y : kYs) {
            EXPECT_EQ(ringMismatch(img, QRect(x, y, 65, 91), silver), "") << x << "," << y;
            EXPECT_EQ(ringMismatch(img, QRect(x, y, 6, 91), silver), "") << x << "," << y;
        }
    }
    EXPECT_EQ(inkIn(img, numberArea(7, 7), Qt::black), expectedNumberInk("1")); // text stays
}

TEST(SchematicPainter, EachGutterSide)
{
    // Cell 1 at (7, 7), 65 x 91 with its outline; strips 6 deep.
    const struct {
        GutterSide side;
        QRect strip;      // outline included
        QRect freeInside; // part of the cell inside that is not strip
    } cases[] = {
        {GutterSide::Left, QRect(7, 7, 6, 91), QRect(13, 8, 58, 20)},
        {GutterSide::Right, QRect(66, 7, 6, 91), QRect(8, 8, 58, 20)},
        {GutterSide::Top, QRect(7, 7, 65, 6), QRect(8, 13, 63, 20)},
        {GutterSide::Bottom, QRect(7, 92, 65, 6), QRect(8, 70, 63, 22)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.side));
        SchematicInput input = startInput();
        input.layout.gutterSide = c.side;
        const QImage img = renderSchematic(input);
        EXPECT_EQ(ringMismatch(img, c.strip, Qt::black), "");
        EXPECT_EQ(fillMismatch(img, c.strip.adjusted(1, 1, -1, -1), schematicStripFill()), "");
        EXPECT_EQ(fillMismatch(img, c.freeInside, testTooltipColour()), "");
        EXPECT_EQ(ringMismatch(img, QRect(7, 7, 65, 91), Qt::black), "");
    }
    SchematicInput none = startInput();
    none.layout.gutterSide = GutterSide::None;
    const QImage noStrip = renderSchematic(none);
    EXPECT_TRUE(inkBounds(noStrip, noStrip.rect(), schematicStripFill()).isEmpty());
}

TEST(SchematicPainter, TwoColumnsRoundTheChosenWidthToEven)
{
    const struct {
        double width;
        int rightEdge; // last outline column of cell 1
    } cases[] = {{64.5, 71}, {65.5, 73}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        SchematicInput input = startInput();
        input.layout.settings.columns = 2;
        input.layout.settings.maxCellWidth = 96.5;
        input.layout.settings.cellWidth = c.width;
        const QImage img = renderSchematic(input);
        EXPECT_EQ(ringMismatch(img, QRect(7, 7, c.rightEdge - 7 + 1, 91), Qt::black), "");
        EXPECT_EQ(img.pixelColor(c.rightEdge + 1, 50), QColor(Qt::white)); // gap to the next cell
        EXPECT_EQ(ringMismatch(img, QRect(103, 7, c.rightEdge - 7 + 1, 91), Qt::black), "");
    }
}

TEST(SchematicPainter, StripCoversTheNumberAndRedrawClearsEverything)
{
    SchematicInput input = startInput();
    input.windowText = QColor(0, 0, 200);
    const QRect cell1(7, 7, 65, 91);
    EXPECT_FALSE(inkBounds(renderSchematic(input), cell1, input.windowText).isEmpty());
    input.layout.settings.gutterSize = 60;
    QImage img = renderSchematic(input);
    EXPECT_TRUE(inkBounds(img, cell1, input.windowText).isEmpty());

    // Redrawing a smaller grid onto the same picture leaves nothing of the old one.
    input.layout.settings.columns = 1;
    input.layout.settings.rows = 1;
    input.layout.settings.gutterSize = 6;
    drawSchematic(img, input);
    EXPECT_EQ(img, renderSchematic(input));
    EXPECT_EQ(fillMismatch(img, QRect(73, 1, 136, 295), Qt::white), "");
}

TEST(SchematicPainter, ValuesOffThePageAreClipped)
{
    const QColor strip = schematicStripFill();
    const struct {
        int marginLeft, marginTop;
        double width, height;
        int gutter;
        QPoint probe;
        QColor expected;
    } cases[] = {
        {-1000, -1000, 64.3, 90.0, 6, {100, 100}, Qt::white}, // every cell off the page
        {INT_MIN, INT_MAX, -1e300, 1e300, INT_MAX, {100, 100}, Qt::white},
        {7, 7, -40.0, -40.0, -20, {3, 3}, strip},       // negative sizes and gutter
        {200, 290, 64.3, 90.0, 100, {205, 293}, strip}, // partly on the page
        {200, 290, 64.3, 90.0, 100, {200, 293}, Qt::black},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.marginLeft << " " << c.width << " " << c.gutter);
        SchematicInput input = startInput();
        input.layout.settings.marginLeft = c.marginLeft;
        input.layout.settings.marginTop = c.marginTop;
        input.layout.settings.cellWidth = c.width;
        input.layout.settings.cellHeight = c.height;
        input.layout.settings.gutterSize = c.gutter;
        const QImage img = renderSchematic(input);
        ASSERT_EQ(img.size(), QSize(210, 297));
        EXPECT_EQ(img.pixelColor(c.probe), c.expected);
    }
}
