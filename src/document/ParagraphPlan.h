#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"

#include <QList>

namespace pagula::document
{

// In PlannedParagraph::items: a line break that the document does not hold, where our layout
// wraps a line.
constexpr int WrapBreak = -1;

// One paragraph of a word-processor file: the pictures and line breaks it holds (item indices
// of the document, or WrapBreak, in order) and whether it starts a new page.
struct PlannedParagraph {
    bool pageBreakBefore = false;
    QList<int> items;
    bool hasPicture = false;
};

// Cuts a document's content into paragraphs so that a word processor lays it out as our flow
// layout does:
// - a paragraph mark ends a paragraph, an empty one too;
// - a page break becomes a break before the next paragraph (neither format keeps a page break
//   inside a paragraph), splitting the paragraph it stands in;
// - a line break that ends a line just before a page break or the end of the document is left
//   out, since a word processor would open an empty line after it and our layout does not;
// - content after the last paragraph mark forms a last paragraph only when it holds something;
// - a page break at the very start gets an empty paragraph in front, which word processors
//   need to leave a blank first page, and an empty document gets one empty paragraph;
// - where the layout wraps a line, a line break, and where it starts a new page because the
//   last one is full, a page break: the word processor then needs only room enough for our
//   lines and pages, and never breaks them elsewhere when its text area differs a little.
QList<PlannedParagraph> planParagraphs(const Document& document, const DocumentLayout& layout);
QList<PlannedParagraph> planParagraphs(const Document& document);

// Whether an item of a planned paragraph ends a line.
bool isLineBreak(const Document& document, int item);

} // namespace pagula::document
