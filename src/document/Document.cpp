#include "document/Document.h"

#include "common/Error.h"
#include "document/PageGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pagula::document
{

Document::Document() : pageSize_(a4PageSize()), margins_(90.0, 72.0, 90.0, 72.0) {}

namespace
{
double checkedMargin(double points)
{
    if (!std::isfinite(points) || std::abs(points) > MaxLengthPoints)
        throw common::Error(QStringLiteral("Page margin %1 is out of range").arg(points));
    return points;
}
} // namespace

void Document::setTopMargin(double points)
{
    margins_.setTop(checkedMargin(points));
}

void Document::setLeftMargin(double points)
{
    margins_.setLeft(checkedMargin(points));
}

void Document::setBottomMargin(double points)
{
    margins_.setBottom(checkedMargin(points));
}

void Document::setRightMargin(double points)
{
    margins_.setRight(checkedMargin(points));
}

QRectF Document::textArea() const
{
    return {margins_.left(), margins_.top(), pageSize_.width() - margins_.left() - margins_.right(),
            pageSize_.height() - margins_.top() - margins_.bottom()};
}

const DocumentItem& Document::item(int index) const
{
    if (index < 0 || index >= itemCount())
        throw common::Error(QStringLiteral("Document item %1 does not exist").arg(index));
    return items_[static_cast<size_t>(index)];
}

const InlinePicture& Document::pictureAt(int itemIndex) const
{
    const DocumentItem& it = item(itemIndex);
    if (!it.picture)
        throw common::Error(QStringLiteral("Document item %1 is not a picture").arg(itemIndex));
    return *it.picture;
}

InlinePicture& Document::pictureAt(int itemIndex)
{
    return const_cast<InlinePicture&>(std::as_const(*this).pictureAt(itemIndex));
}

int Document::pictureCount() const
{
    return pictureCountIn(0, itemCount());
}

void Document::checkPosition(int position) const
{
    if (position < 0 || position > itemCount())
        throw common::Error(QStringLiteral("Position %1 lies outside the document").arg(position));
}

void Document::insertControl(int position, ItemKind kind)
{
    checkPosition(position);
    if (kind == ItemKind::Picture)
        throw common::Error(QStringLiteral("A picture item needs a picture"));
    items_.insert(items_.begin() + position, DocumentItem{kind, std::nullopt});
}

void Document::insertPicture(int position, InlinePicture picture)
{
    checkPosition(position);
    items_.insert(items_.begin() + position, DocumentItem{ItemKind::Picture, std::move(picture)});
}

void Document::removeItems(int start, int end)
{
    checkPosition(start);
    checkPosition(end);
    if (start < end)
        items_.erase(items_.begin() + start, items_.begin() + end);
}

int Document::pictureItemIndex(int start, int end, int n) const
{
    if (n < 1)
        return -1;
    start = std::max(start, 0);
    end = std::min(end, itemCount());
    for (int i = start; i < end; ++i) {
        if (items_[static_cast<size_t>(i)].picture && --n == 0)
            return i;
    }
    return -1;
}

int Document::pictureCountIn(int start, int end) const
{
    int count = 0;
    for (int i = std::max(start, 0); i < std::min(end, itemCount()); ++i)
        count += items_[static_cast<size_t>(i)].picture ? 1 : 0;
    return count;
}

} // namespace pagula::document
