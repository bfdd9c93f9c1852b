#pragma once

#include "widgets/GradientButtonTypes.h"
#include "widgets/PackedColor.h"

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
    PackedColor beginColor = kNavy;
    PackedColor endColor = kAqua;
    GradientStyle gradientStyle = GradientStyle::VerticalCenter;
    int frameSize = 1;
    QColor frameLight;  // buttonHighlightColor
    QColor frameShadow; // buttonShadowColor
    bool buttonUp = true;
    QString caption;
    QFont font;
    QColor faceColor; // fontColor
    QColor textHighlight;
    QColor textShadow;
    QColor disabledColor;
    TextStyle textStyle = TextStyle::Raised;
    ShadeType textShadeType = ShadeType::Light;
    Justification justification = Justification::Center;
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
