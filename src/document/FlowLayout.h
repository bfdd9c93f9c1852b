#pragma once

#include "document/Document.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace pagula::document
{

struct PlacedPicture {
    int itemIndex = -1; // the picture's item in the document
    QRectF box;         // page coordinates, points
};

struct LaidOutLine {
    double top = 0.0;
    double height = 0.0;
    QList<PlacedPicture> pictures;
    // The first item the line holds: its first picture, or for an empty line the paragraph
    // mark or line break that ends it.
    int firstItem = -1;
    // The line began because the one before it had no room for its next picture.
    bool wrapped = false;
};

struct LaidOutPage {
    QList<LaidOutLine> lines;

    QList<PlacedPicture> pictures() const;
};

struct DocumentLayout {
    QSizeF pageSize;
    QList<LaidOutPage> pages; // never empty: a document has at least one page
};

// Lays a document out as a word processor flows inline pictures: a line takes pictures while
// they fit the text width; a paragraph mark or a line break ends the line; a page ends when
// the next line does not fit the text height, and at a page break. A line is as high as its
// tallest picture (EmptyLineHeightPoints without one) and pictures stand on its baseline.
// A picture wider than the text area takes a line of its own; a line taller than the text
// area takes a page of its own; both run over the margin.
DocumentLayout layoutDocument(const Document& document);

// One line per page, line and picture, lengths with two decimals, e.g.
//   page 1
//     line 19.85 +255.15
//       #0 19.85,19.85 182.29x255.15
QString dumpLayout(const DocumentLayout& layout);

} // namespace pagula::document
