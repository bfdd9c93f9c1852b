#pragma once

#include <QAbstractItemDelegate>
#include <QColor>
#include <QFont>

namespace pagula::joblist
{

// Draws the rows of the job list: our own tick box at the left, then the row background, the
// crop icon for codes "1" and "2" and the path; ticked entries in bold aqua; the current row in
// the platform's selection colours; a focus frame around the focused row.
class JobListDelegate : public QAbstractItemDelegate
{
    Q_OBJECT
public:
    static const QColor ListColour;   // RGB(0, 120, 179)
    static const QColor TickedColour; // aqua

    explicit JobListDelegate(QObject* parent = nullptr);

    // Rows are as wide as the view sets (the viewport, or one display column).
    void setRowWidth(int width);
    int rowWidth() const { return rowWidth_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void drawTickBox(QPainter* painter, const QRect& row, bool ticked) const;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                 const QRect& item) const;

    QFont font_;
    QFont boldFont_;
    int rowWidth_ = 0;
};

} // namespace pagula::joblist
