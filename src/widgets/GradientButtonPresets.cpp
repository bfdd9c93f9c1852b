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

const GradientButtonPreset* gradientButtonPreset(Preset preset)
{
    using G = GradientStyle;
    using S = ShadeType;
    using T = TextStyle;
    static const GradientButtonPreset table[] = {
        // None
        {kGray, kNavy, kAqua, 8, "MS Sans Serif", kBlack, false, G::VerticalCenter, S::Light,
         T::Raised, kButtonHighlight, kButtonShadow, kButtonHighlight, kButtonShadow, std::nullopt},
        // GoldCoast
        {0x00BBBB, kYellow, kOlive, 10, "Arial", 0x00BBBB, true, G::Vertical, S::Heavy, T::Raised,
         0xBFFFFF, 0x007171, 0xB3FFFF, 0x616161, std::nullopt},
        // LimeBox
        {kOlive, kBlack, kLime, 8, "Courier", kGreen, false, G::Rectangle, S::Light, T::Raised,
         0xACFFAC, 0x004000, kButtonHighlight, kButtonShadow, std::nullopt},
        // Aluminum
        {kGray, 0xCECECE, 0x5F5F5F, 10, "Times New Roman", kBlack, true, G::Vertical, S::Heavy,
         T::Inset, kButtonHighlight, kButtonShadow, kWhite, kBlack, std::nullopt},
        // SunRise
        {kGray, kYellow, kRed, 8, "MS Sans Serif", 0x000040, true, G::Horizontal, S::Heavy,
         T::Raised, 0xCFE7E6, 0x0058B0, kButtonHighlight, kButtonShadow, std::nullopt},
        // BrassedOff
        {kOlive, 0xCEFFFF, 0x92C2C2, 9, "Verdana", kMaroon, false, G::Elliptic, S::Light, T::Normal,
         0xEFFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2, false},
    };
    const auto index = static_cast<unsigned>(preset);
    return index < sizeof table / sizeof table[0] ? &table[index] : nullptr;
}

} // namespace pagula::widgets
