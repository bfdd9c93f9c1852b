#pragma once

#include "widgets/GradientButtonTypes.h"

#include <QChar>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

namespace pagula::widgets
{

// The caption without accelerator markers, used to measure it: every character but the last
// is kept unless it is an "&" followed by something other than "&"; the last is always kept.
// So "&Save" gives "Save", "A&&B" gives "A&B" and "A&&" stays "A&&".
QString displayText(const QString& caption);

// The accelerator character: the one after the last single "&" ("&&" is a literal ampersand
// and marks nothing; a lone "&" at the end marks nothing either).
std::optional<QChar> acceleratorChar(const QString& caption);

// Whether a typed character selects the accelerator: Latin letters a to z match in either
// case, every other character (Cyrillic included) only exactly.
bool acceleratorMatches(QChar accelerator, QChar typed);

// The top-left corner of the caption's face for a text of textSize (TW x TH) on a button of
// buttonSize, shifted by pressOffset (1 while pressed). Halves truncate toward zero, so a
// caption larger than the button gets a negative offset.
QPoint captionOrigin(QSize buttonSize, QSize textSize, Justification justification,
                     int pressOffset);

// One drawing of the caption: where it goes relative to the face and which colour it takes.
struct CaptionPass {
    enum Role { Face, Highlight, Shadow };
    QPoint offset;
    Role role;
};

// The passes in drawing order. A disabled button always gets the inset passes (its face
// colour is the disabled colour, chosen by the painter).
std::vector<CaptionPass> captionPasses(TextStyle style, ShadeType shade, bool enabled);

} // namespace pagula::widgets
