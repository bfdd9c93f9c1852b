#pragma once

#include <QPoint>
#include <QRect>

namespace pagula::joblist
{

// Where things sit in a row of the job list and which presses hit what. Kept apart from the
// painting so it can be checked directly.
struct JobListGeometry {
    static constexpr int RowHeight = 16;
    static constexpr int CheckImageSize = 13;
    // The tick box is as wide as the check mark image plus 2 pixels.
    static constexpr int TickBoxWidth = CheckImageSize + 2;
    static constexpr int IconSize = 16;
    // The entry's text starts this far right of the item rectangle's left edge, past the icon.
    static constexpr int TextIndent = 18;

    // The crop zone: 20 < x < 40 in the list's client coordinates, whatever the row's column.
    static bool inCropZone(int x) { return x > 20 && x < 40; }

    // Width of each display column for n = 2 or 3; never below one pixel.
    static int columnWidth(int listWidth, int columns)
    {
        const int w = (listWidth + columns - 3) / columns;
        return w < 1 ? 1 : w;
    }

    static QRect tickBoxRect(const QRect& row)
    {
        return QRect(row.left(), row.top(), TickBoxWidth, row.height());
    }
    // The rectangle right of the tick box: background, icon and text are drawn in it.
    static QRect itemRect(const QRect& row)
    {
        return QRect(row.left() + TickBoxWidth, row.top(), row.width() - TickBoxWidth,
                     row.height());
    }
    // The 13 x 13 check square, centred in the tick box.
    static QRect checkSquare(const QRect& row)
    {
        const QRect box = tickBoxRect(row);
        return QRect(box.left() + 1, box.top() + (box.height() - CheckImageSize) / 2,
                     CheckImageSize, CheckImageSize);
    }
    static QRect iconRect(const QRect& item)
    {
        return QRect(item.topLeft(), QSize(IconSize, IconSize));
    }
    static QRect textRect(const QRect& item)
    {
        return QRect(item.left() + TextIndent, item.top(), item.width() - TextIndent,
                     item.height());
    }
};

} // namespace pagula::joblist
