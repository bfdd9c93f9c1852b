#pragma once

#include "widgets/GradientButtonTypes.h"
#include "widgets/TColor.h"

#include <QFont>
#include <optional>

namespace pagula::widgets
{

// The values a design-time preset stores into a button. Frame size, justification and focus
// display are not part of a preset; the swap switch only where a preset names it.
struct GradientButtonPreset {
    TColor disabledColor;
    TColor beginColor;
    TColor endColor;
    int fontPointSize;
    const char* fontFamily;
    TColor fontColor;
    bool fontBold;
    TGradientStyle gradientStyle;
    TShadeType textShadeType;
    TTextStyle textStyle;
    TColor txtHiliteClr;
    TColor txtShadowClr;
    TColor btnHiliteClr;
    TColor btnShadowClr;
    std::optional<bool> swapColors;

    // The preset's font: the family at its point size, bold or with no style at all.
    QFont font() const;
};

// The preset's values; nullptr for a value outside the table.
const GradientButtonPreset* gradientButtonPreset(TPreset preset);

} // namespace pagula::widgets
