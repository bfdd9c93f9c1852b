#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"

#include <QMarginsF>

namespace pagula::document
{

// The page of an ODT or DOCX file: margins a word processor can hold (none below zero) that
// leave room for every line and page of our layout, at the same place on the sheet.
//
// Our margins may be below zero, as the layout's bottom and right margins are 4 mm less than
// the user's. Only the near margins (top, left) place the pictures; the far ones only have to
// leave room, since the paragraph plan breaks every line and page where we do. A grid that
// fills the sheet exactly still runs a fraction of a point over its edge, as a millimetre is
// 2.835 points there: that overrun moves the grid back onto the sheet, by lowering the near
// margin or else by shrinking the pictures a little. A grid beyond that over an edge cannot be
// shown by a word processor, and the file is not written.
struct PackagePage {
    QMarginsF margins;        // points, none below zero
    double widthScale = 1.0;  // applied to every picture's width
    double heightScale = 1.0; // and height
};

// Throws common::Error naming the margin to change when the pictures run over an edge of the sheet.
PackagePage packagePage(const Document& document, const DocumentLayout& layout);
PackagePage packagePage(const Document& document);

} // namespace pagula::document
