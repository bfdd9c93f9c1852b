#pragma once

#include "widgets/GradientButtonTypes.h"
#include "widgets/PackedColor.h"

#include <QFont>
#include <optional>

namespace pagula::widgets
{

// The values a design-time preset stores into a button. Frame size, justification and focus
// display are not part of a preset; the swap switch only where a preset names it.
struct GradientButtonPreset {
    PackedColor disabledColor;
    PackedColor beginColor;
    PackedColor endColor;
    int fontPointSize;
    const char* fontFamily;
    PackedColor fontColor;
    bool fontBold;
    GradientStyle gradientStyle;
    ShadeType textShadeType;
    TextStyle textStyle;
    PackedColor textHighlightColor;
    PackedColor textShadowColor;
    PackedColor buttonHighlightColor;
    PackedColor buttonShadowColor;
    std::optional<bool> swapColors;

    // The preset's font: the family at its point size, bold or with no style at all.
    QFont font() const;
};

// The preset's values; nullptr for a value outside the table.
const GradientButtonPreset* gradientButtonPreset(Preset preset);

} // namespace pagula::widgets
