#pragma once

#include "document/InlinePicture.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace pagula::document
{

enum class ItemKind { Picture, ParagraphMark, LineBreak, PageBreak };

// One element of a document's content: an inline picture or a control character.
struct DocumentItem {
    ItemKind kind = ItemKind::ParagraphMark;
    std::optional<InlinePicture> picture; // set exactly when kind is Picture
};

// A word-processor document: A4 portrait pages with margins, and an ordered content of
// inline pictures, paragraph marks, line breaks and page breaks. Positions count items:
// position p lies before item p, itemCount() is the end.
class Document
{
public:
    // Margins of a blank document: 1 inch at top and bottom, 1.25 inch at the sides.
    Document();

    QSizeF pageSize() const { return pageSize_; }
    QMarginsF margins() const { return margins_; }
    void setTopMargin(double points);
    void setLeftMargin(double points);
    void setBottomMargin(double points);
    void setRightMargin(double points);
    // The page less its margins, in page coordinates (points).
    QRectF textArea() const;

    int itemCount() const { return static_cast<int>(items_.size()); }
    const DocumentItem& item(int index) const;
    const InlinePicture& pictureAt(int itemIndex) const;
    InlinePicture& pictureAt(int itemIndex);
    int pictureCount() const;

    void insertControl(int position, ItemKind kind);
    void insertPicture(int position, InlinePicture picture);
    void removeItems(int start, int end);

    // Item index of the n-th picture (from 1) within [start, end), or -1 when there is none.
    int pictureItemIndex(int start, int end, int n) const;
    int pictureCountIn(int start, int end) const;

private:
    void checkPosition(int position) const;

    QSizeF pageSize_;
    QMarginsF margins_;
    std::vector<DocumentItem> items_;
};

} // namespace pagula::document
