#include "joblist/ui/JobListDelegate.h"

#include "common/Fonts.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListGeometry.h"
#include "joblist/JobListModel.h"
#include "joblist/ProgramIcons.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace pagula::joblist
{

const QColor JobListDelegate::ListColour(0, 120, 179);
const QColor JobListDelegate::TickedColour(0, 255, 255);

JobListDelegate::JobListDelegate(QObject* parent)
    : QAbstractItemDelegate(parent), font_(common::pixelFont(QStringLiteral("MS Sans Serif"), 11)),
      boldFont_(common::pixelFont(QStringLiteral("MS Sans Serif"), 11, true))
{
}

void JobListDelegate::setRowWidth(int width)
{
    if (width == rowWidth_)
        return;
    rowWidth_ = width;
    emit sizeHintChanged(QModelIndex());
}

QSize JobListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(rowWidth_, JobListGeometry::RowHeight);
}

void JobListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    painter->save();
    const QRect row = option.rect;
    drawTickBox(painter, row,
                index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked);
    const QRect item = JobListGeometry::itemRect(row);
    drawRow(painter, option, index, item);
    if ((option.state & QStyle::State_HasFocus) != 0) {
        QStyleOptionFocusRect focus;
        focus.rect = item;
        focus.state = option.state | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.palette = option.palette;
        focus.backgroundColor = option.palette.color(QPalette::Highlight);
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

void JobListDelegate::drawTickBox(QPainter* painter, const QRect& row, bool ticked) const
{
    // The tick box stands on the list colour on every row, the current one included.
    painter->fillRect(JobListGeometry::tickBoxRect(row), ListColour);
    const QRect square = JobListGeometry::checkSquare(row);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(square, Qt::white);
    // A sunken frame, as check boxes have.
    const QRect r = square;
    painter->setPen(QColor(128, 128, 128));
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.topLeft(), r.bottomLeft());
    painter->setPen(QColor(64, 64, 64));
    painter->drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    painter->drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    painter->setPen(QColor(212, 208, 200));
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
    if (!ticked)
        return;
    // A three-pixel-thick check mark in the middle of the square.
    painter->setPen(Qt::black);
    const int x = r.left() + 3;
    const int y = r.top() + 5;
    for (int t = 0; t < 3; ++t) {
        painter->drawLine(x, y + t, x + 2, y + 2 + t);
        painter->drawLine(x + 2, y + 2 + t, x + 6, y - 2 + t);
    }
}

void JobListDelegate::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index, const QRect& item) const
{
    const bool current = (option.state & QStyle::State_Selected) != 0;
    QColor background = current ? option.palette.color(QPalette::Highlight) : ListColour;
    QColor text = current ? option.palette.color(QPalette::HighlightedText) : QColor(Qt::white);
    QFont font = font_;
    painter->fillRect(item, background);

    if (index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked) {
        font = boldFont_;
        text = TickedColour;
    }

    const QString code = index.data(JobListModel::CropCodeRole).toString();
    if (code == QString(CropProfile1))
        painter->drawImage(JobListGeometry::iconRect(item).topLeft(),
                           ProgramIcons::image(ProgramIcons::ArrowLeftIcon));
    else if (code == QString(CropProfile2))
        painter->drawImage(JobListGeometry::iconRect(item).topLeft(),
                           ProgramIcons::image(ProgramIcons::ArrowRightIcon));

    painter->save();
    painter->setFont(font);
    painter->setPen(text);
    painter->setClipRect(item, Qt::IntersectClip);
    painter->drawText(JobListGeometry::textRect(item),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

} // namespace pagula::joblist
