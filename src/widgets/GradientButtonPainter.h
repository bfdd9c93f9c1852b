#pragma once

#include "widgets/GradientButtonTypes.h"
#include "widgets/TColor.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace pagula::widgets
{

// Everything one paint of the button needs. Pen and font colours arrive resolved; the two
// gradient colours arrive raw (already exchanged while the button is pressed).
struct GradientButtonLook {
    QSize size;
    TColor beginColor = clNavy;
    TColor endColor = clAqua;
    TGradientStyle gradientStyle = TGradientStyle::gsVertCenter;
    int frameSize = 1;
    QColor frameLight;  // BtnHiliteClr
    QColor frameShadow; // BtnShadowClr
    bool buttonUp = true;
    QString caption;
    QFont font;
    QColor faceColor; // Font.Color
    QColor textHighlight;
    QColor textShadow;
    QColor disabledColor;
    TTextStyle textStyle = TTextStyle::tsRaised;
    TShadeType textShadeType = TShadeType::stLight;
    TJustification justification = TJustification::jCenter;
    bool enabled = true;
    bool focusRect = false;
};

// Paints the whole button into surface, which is resized to look.size first (a fresh surface
// starts filled with the raw begin colour, since the elliptic and rectangle styles may leave
// edge pixels as they were). Order: gradient, bevel frame, caption passes, focus rectangle.
// Drawing is aliased, text included, so every pixel carries exactly one of the look's colours.
void paintGradientButtonSurface(QImage& surface, const GradientButtonLook& look);

// Inverts a one-pixel dotted outline on the box (left/top inclusive, right/bottom exclusive
// corners given as a QRect from (2, 2) to (W - 3, H - 3)): every second pixel along the
// border, the same pixels each time, so doing it twice restores the surface.
void invertFocusRect(QImage& surface, const QRect& box);

} // namespace pagula::widgets
