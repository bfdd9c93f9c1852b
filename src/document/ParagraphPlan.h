#pragma once

#include "document/Document.h"

#include <QList>

namespace pagula::document
{

// One paragraph of a word-processor file: the pictures and line breaks it holds (item indices
// of the document, in order) and whether it starts a new page.
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
//   need to leave a blank first page, and an empty document gets one empty paragraph.
QList<PlannedParagraph> planParagraphs(const Document& document);

} // namespace pagula::document
