#include "DocumentTestSupport.h"

#include "document/FlowLayout.h"
#include "document/PageGeometry.h"

#include <gtest/gtest.h>

using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// A text area of exactly 300 x 400 points whose top left corner is at (100, 100).
const QMarginsF margins300x400(100.0, 100.0, A4WidthPoints - 400.0, A4HeightPoints - 500.0);

QList<QSizeF> repeated(QSizeF size, int count)
{
    return QList<QSizeF>(count, size);
}

struct FlowCase {
    const char* name;
    const char* content;
    QList<QSizeF> sizes;
    const char* expected;
};

} // namespace

TEST(FlowLayout, MatchesTheGoldenDumps)
{
    const FlowCase cases[] = {
        {"a line takes pictures while they fit, the rest wraps", "PPPP", repeated({100, 50}, 4),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "    #1 200.00,100.00 100.00x50.00\n"
         "    #2 300.00,100.00 100.00x50.00\n"
         "  line 150.00 +50.00\n"
         "    #3 100.00,150.00 100.00x50.00\n"},
        {"a row over the width by no more than 0.01 pt still fits", "PPP",
         repeated({100.003, 50}, 3),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "    #1 200.00,100.00 100.00x50.00\n"
         "    #2 300.01,100.00 100.00x50.00\n"},
        {"a row over the width by more than 0.01 pt wraps", "PPP", repeated({100.004, 50}, 3),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "    #1 200.00,100.00 100.00x50.00\n"
         "  line 150.00 +50.00\n"
         "    #2 100.00,150.00 100.00x50.00\n"},
        {"paragraph marks end lines; an empty paragraph is 12 pt; pictures stand on the "
         "baseline",
         "PP|P||P",
         {{100, 50}, {100, 80}, {100, 30}, {100, 40}},
         "page 1\n"
         "  line 100.00 +80.00\n"
         "    #0 100.00,130.00 100.00x50.00\n"
         "    #1 200.00,100.00 100.00x80.00\n"
         "  line 180.00 +30.00\n"
         "    #3 100.00,180.00 100.00x30.00\n"
         "  line 210.00 +12.00\n"
         "  line 222.00 +40.00\n"
         "    #6 100.00,222.00 100.00x40.00\n"},
        {"a paragraph mark after a full line adds no empty line", "PPP|P", repeated({100, 50}, 4),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "    #1 200.00,100.00 100.00x50.00\n"
         "    #2 300.00,100.00 100.00x50.00\n"
         "  line 150.00 +50.00\n"
         "    #4 100.00,150.00 100.00x50.00\n"},
        {"a line break ends a line like a paragraph mark", "P/P", repeated({100, 50}, 2),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "  line 150.00 +50.00\n"
         "    #2 100.00,150.00 100.00x50.00\n"},
        {"lines that fill the text height exactly stay on the page, the next breaks it",
         "P|P|P|P|P", repeated({300, 100.002}, 5),
         "page 1\n"
         "  line 100.00 +100.00\n"
         "    #0 100.00,100.00 300.00x100.00\n"
         "  line 200.00 +100.00\n"
         "    #2 100.00,200.00 300.00x100.00\n"
         "  line 300.00 +100.00\n"
         "    #4 100.00,300.00 300.00x100.00\n"
         "  line 400.01 +100.00\n"
         "    #6 100.00,400.01 300.00x100.00\n"
         "page 2\n"
         "  line 100.00 +100.00\n"
         "    #8 100.00,100.00 300.00x100.00\n"},
        {"a page break starts a new page, also at the start and at the end", "#P#P#",
         repeated({100, 50}, 2),
         "page 1\n"
         "page 2\n"
         "  line 100.00 +50.00\n"
         "    #1 100.00,100.00 100.00x50.00\n"
         "page 3\n"
         "  line 100.00 +50.00\n"
         "    #3 100.00,100.00 100.00x50.00\n"
         "page 4\n"},
        {"a page break right after a paragraph mark adds no empty line", "P|#P",
         repeated({100, 50}, 2),
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "page 2\n"
         "  line 100.00 +50.00\n"
         "    #3 100.00,100.00 100.00x50.00\n"},
        {"a picture taller than the page takes a page of its own and runs over",
         "P|P|P",
         {{100, 50}, {100, 500}, {100, 50}},
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 100.00x50.00\n"
         "page 2\n"
         "  line 100.00 +500.00\n"
         "    #2 100.00,100.00 100.00x500.00\n"
         "page 3\n"
         "  line 100.00 +50.00\n"
         "    #4 100.00,100.00 100.00x50.00\n"},
        {"a picture wider than the text takes a line of its own",
         "PP",
         {{400, 50}, {100, 50}},
         "page 1\n"
         "  line 100.00 +50.00\n"
         "    #0 100.00,100.00 400.00x50.00\n"
         "  line 150.00 +50.00\n"
         "    #1 100.00,150.00 100.00x50.00\n"},
        {"an empty document has one empty page", "", {}, "page 1\n"},
    };
    for (const FlowCase& c : cases) {
        const Document doc = documentFrom(c.content, c.sizes, margins300x400);
        EXPECT_EQ(dumpLayout(layoutDocument(doc)).toStdString(), c.expected) << c.name;
    }
}

// The grid as the composition builds it: margins and cells in single precision from
// millimetres, the text area 4 mm wider and taller than the grid at the maximum cell size.
TEST(FlowLayout, HoldsTheDefaultGridOfThreeByThreeCellsPerPage)
{
    const float mm = 2.835f;
    Document doc;
    doc.setTopMargin(7 * mm);
    doc.setLeftMargin(7 * mm);
    doc.setBottomMargin((20 - 4) * mm);
    doc.setRightMargin((10 - 4) * mm);
    const float width = static_cast<float>(193.0 / 3.0 * mm);
    const float height = static_cast<float>(90.0 * mm);
    for (int cell = 0; cell < 10; ++cell) {
        doc.insertPicture(doc.itemCount(), pictureOfSize(width, height));
        if (cell % 3 == 2)
            doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    }
    const DocumentLayout layout = layoutDocument(doc);
    ASSERT_EQ(layout.pages.size(), 2);
    EXPECT_EQ(layout.pages[0].lines.size(), 3);
    for (const LaidOutLine& line : layout.pages[0].lines)
        EXPECT_EQ(line.pictures.size(), 3);
    EXPECT_EQ(layout.pages[1].pictures().size(), 1);
    EXPECT_DOUBLE_EQ(layout.pages[1].lines[0].top, doc.textArea().top());
}
