#include "DocumentTestSupport.h"

#include "document/ParagraphPlan.h"

#include <gtest/gtest.h>

using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Each paragraph as '#' when it starts a page, then 'P' per picture and '/' per line break,
// closed by '|'.
QString dump(const Document& doc, const QList<PlannedParagraph>& plan)
{
    QString out;
    for (const PlannedParagraph& p : plan) {
        QString items;
        for (int item : p.items)
            items += doc.item(item).kind == ItemKind::Picture ? 'P' : '/';
        EXPECT_EQ(p.hasPicture, items.contains('P'));
        out += (p.pageBreakBefore ? "#" : "") + items + '|';
    }
    return out;
}

TEST(ParagraphPlan, KeepsTheFlowLayoutsLinesAndPages)
{
    const struct {
        const char* content;
        const char* plan;
    } cases[] = {
        {"", "|"},                // an empty document still has a paragraph
        {"PPP|PPP|", "PPP|PPP|"}, // no empty paragraph after the last mark
        {"PPP|PP", "PPP|PP|"},    // a last row without a mark
        {"|", "|"},               // one empty line
        {"P||P", "P||P|"},        // an empty paragraph between
        {"P|#P", "P|#P|"},        // a page break after a mark
        {"P#P", "P|#P|"},         // inside a paragraph: split in two
        {"#P", "|#P|"},           // a blank first page needs a paragraph to leave
        {"P#", "P|#|"},           // a blank last page
        {"P##P", "P|#|#P|"},      // a blank page between
        {"P/P", "P/P|"},          // line breaks stay inside the paragraph
        {"P/#P", "P|#P|"},        // the break before a page break opens no line
        {"P/", "P|"},             // nor one at the end
        {"P/|", "P/|"},           // but a mark after a line break has a line of its own
        {"//#", "/|#|"},          // two empty lines, then a blank page
        {"PP/PP|P", "PP/PP|P|"},
    };
    for (const auto& c : cases) {
        QList<QSizeF> sizes(20, QSizeF(10, 10));
        const Document doc = documentFrom(c.content, sizes, {});
        EXPECT_EQ(dump(doc, planParagraphs(doc)), QString::fromLatin1(c.plan)) << c.content;
    }
}

// The plan's pages and lines give the flow layout's pages and lines, counted the way a word
// processor breaks them: a page per break before, a line per picture row.
TEST(ParagraphPlan, PageCountMatchesTheFlowLayout)
{
    for (const char* content : {"PPP|PPP|", "P#P", "#P", "P#", "P##P", "P|#P|#", "", "|#|"}) {
        QList<QSizeF> sizes(20, QSizeF(10, 10));
        const Document doc = documentFrom(content, sizes, {});
        int pages = 1;
        for (const PlannedParagraph& p : planParagraphs(doc))
            pages += p.pageBreakBefore ? 1 : 0;
        EXPECT_EQ(pages, layoutDocument(doc).pages.size()) << content;
    }
}

} // namespace
