#include "widgets/GradientButtonPresets.h"

namespace pagula::widgets
{

QFont GradientButtonPreset::font() const
{
    QFont f(QString::fromLatin1(fontFamily));
    f.setPointSize(fontPointSize);
    f.setBold(fontBold);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

const GradientButtonPreset* gradientButtonPreset(TPreset preset)
{
    using G = TGradientStyle;
    using S = TShadeType;
    using T = TTextStyle;
    static const GradientButtonPreset table[] = {
        // None
        {clGray, clNavy, clAqua, 8, "MS Sans Serif", clBlack, false, G::gsVertCenter, S::stLight,
         T::tsRaised, clBtnHighlight, clBtnShadow, clBtnHighlight, clBtnShadow, std::nullopt},
        // GoldCoast
        {0x00BBBB, clYellow, clOlive, 10, "Arial", 0x00BBBB, true, G::gsVertical, S::stHeavy,
         T::tsRaised, 0xBFFFFF, 0x007171, 0xB3FFFF, 0x616161, std::nullopt},
        // LimeBox
        {clOlive, clBlack, clLime, 8, "Courier", clGreen, false, G::gsRectangle, S::stLight,
         T::tsRaised, 0xACFFAC, 0x004000, clBtnHighlight, clBtnShadow, std::nullopt},
        // Aluminum
        {clGray, 0xCECECE, 0x5F5F5F, 10, "Times New Roman", clBlack, true, G::gsVertical,
         S::stHeavy, T::tsInset, clBtnHighlight, clBtnShadow, clWhite, clBlack, std::nullopt},
        // SunRise
        {clGray, clYellow, clRed, 8, "MS Sans Serif", 0x000040, true, G::gsHorizontal, S::stHeavy,
         T::tsRaised, 0xCFE7E6, 0x0058B0, clBtnHighlight, clBtnShadow, std::nullopt},
        // BrassedOff
        {clOlive, 0xCEFFFF, 0x92C2C2, 9, "Verdana", clMaroon, false, G::gsElliptic, S::stLight,
         T::tsNormal, 0xEFFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2, false},
    };
    const auto index = static_cast<unsigned>(preset);
    return index < sizeof table / sizeof table[0] ? &table[index] : nullptr;
}

} // namespace pagula::widgets
