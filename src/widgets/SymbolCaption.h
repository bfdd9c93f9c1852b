#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace pagula::widgets
{

// The step buttons of the preview tab show "9" and ":" in the Webdings symbol font, which
// draws them as step-back (a bar and a left-pointing triangle) and step-forward (a
// right-pointing triangle and a bar). Where no font of that name is installed, the caption is
// drawn here instead: each character in a square cell one em across, other characters blank.

// True when the font asks for Webdings and the machine has no such font.
bool drawsSymbolsItself(const QFont& font);

// The size of the drawn caption: one em per character, one em high.
QSize symbolCaptionSize(const QFont& font, const QString& text);

// Draws the caption's symbols left to right from the box's top-left corner, clipped to the
// box. Accelerator markers are skipped as text drawing would skip them.
void drawSymbolCaption(QPainter& painter, const QRect& box, const QFont& font,
                       const QString& caption, const QColor& color);

} // namespace pagula::widgets
