#include "widgets/SymbolCaption.h"

#include "widgets/CaptionLayout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace pagula::widgets
{

namespace
{

const QString webdings = QStringLiteral("Webdings");

int emOf(const QFont& font)
{
    return std::max(1, QFontInfo(font).pixelSize());
}

// A bar and a triangle in a square cell of em pixels, drawn as whole-pixel rows so that the
// step-forward symbol is the exact mirror image of the step-back one.
void drawStepSymbol(QPainter& painter, QPoint cell, int em, bool pointsLeft, const QColor& color)
{
    const int top = cell.y() + em / 5;
    const int height = std::max(1, em - 2 * (em / 5));
    const int barWidth = std::max(1, em / 7);
    const int margin = std::max(1, em / 7);
    const int triangleWidth = std::max(1, em - 2 * margin - barWidth);
    // Column offsets from the cell's left edge in the step-back orientation; mirrored for the
    // step-forward symbol.
    const auto fillColumns = [&](int from, int width, int y) {
        const int left = pointsLeft ? from : em - from - width;
        painter.fillRect(QRect(cell.x() + left, y, width, 1), color);
    };
    for (int row = 0; row < height; ++row) {
        const int y = top + row;
        fillColumns(margin, barWidth, y);
        // Distance of this row's centre from the middle, in half pixels, gives the span.
        const int fromMiddle = std::abs(2 * row + 1 - height);
        const int span = std::max(1, triangleWidth * (height - fromMiddle) / height);
        fillColumns(margin + barWidth + triangleWidth - span, span, y);
    }
}

} // namespace

bool drawsSymbolsItself(const QFont& font)
{
    return font.family().compare(webdings, Qt::CaseInsensitive) == 0 &&
           !QFontDatabase::hasFamily(webdings);
}

QSize symbolCaptionSize(const QFont& font, const QString& text)
{
    const int em = emOf(font);
    return QSize(em * int(text.size()), em);
}

void drawSymbolCaption(QPainter& painter, const QRect& box, const QFont& font,
                       const QString& caption, const QColor& color)
{
    const int em = emOf(font);
    const QString shown = displayText(caption);
    painter.save();
    painter.setClipRect(box);
    for (int i = 0; i < int(shown.size()); ++i) {
        const QPoint cell(box.left() + i * em, box.top());
        if (shown.at(i) == u'9')
            drawStepSymbol(painter, cell, em, true, color);
        else if (shown.at(i) == u':')
            drawStepSymbol(painter, cell, em, false, color);
    }
    painter.restore();
}

} // namespace pagula::widgets
