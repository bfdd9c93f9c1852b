#include "DocumentTestSupport.h"

#include "document/ParagraphPlan.h"

#include <gtest/gtest.h>

using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Each paragraph as '#' when it starts a page, then 'P' per picture, '/' per line break and
// '~' per line break where the layout wraps, closed by '|'.
QString dump(const Document& doc, const QList<PlannedParagraph>& plan)
{
    QString out;
    for (const PlannedParagraph& p : plan) {
        QString items;
        for (int item : p.items)
            items += item == WrapBreak ? '~' : doc.item(item).kind == ItemKind::Picture ? 'P' : '/';
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

// Pictures of 250 x 300 points on a sheet without margins: two to a line, two lines to a page.
// Where our layout wraps a line or fills a page, the plan breaks it, so that a word processor
// with a somewhat larger text area still breaks there.
TEST(ParagraphPlan, BreaksWhereTheLayoutWrapsAndFillsPages)
{
    const struct {
        const char* content;
        const char* plan;
    } cases[] = {
        {"PPP|", "PP~P|"},             // a wrapped line
        {"PPPPP|", "PP~PP|#P|"},       // a full page inside a paragraph splits it
        {"PP|PP|PP|", "PP|PP|#PP|"},   // a full page between paragraphs
        {"PP|PP|#PP|", "PP|PP|#PP|"},  // a page break that starts the page already
        {"PP|PP/PP|", "PP|PP|#PP|"},   // no empty line before the new page
        {"PP|PP|PP/|", "PP|PP|#PP/|"}, // an empty line after it stays
        {"PPPPP#P", "PP~PP|#P|#P|"},
    };
    for (const auto& c : cases) {
        QList<QSizeF> sizes(20, QSizeF(250, 300));
        const Document doc = documentFrom(c.content, sizes, {});
        const QList<PlannedParagraph> plan = planParagraphs(doc);
        EXPECT_EQ(dump(doc, plan), QString::fromLatin1(c.plan)) << c.content;
    }
}

} // namespace
