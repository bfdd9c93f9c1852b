#include "widgets/ButtonLooks.h"

#include "common/Fonts.h"
#include "widgets/GradientButton.h"

namespace pagula::widgets
{

namespace
{

const PackedColor windowBlue = rgbColor(182, 196, 231);

// White to navy rectangles with black text shading and a grey disabled face: the common base.
void applyWhiteToNavy(GradientButton& b)
{
    b.setBeginColor(kWhite);
    b.setEndColor(kNavy);
    b.setGradientStyle(GradientStyle::Rectangle);
    b.setTextHighlightColor(kBlack);
    b.setTextShadowColor(kBlack);
    b.setDisabledColor(kGray);
    b.setFontColor(kWhite);
}

} // namespace

void applyButtonLook(GradientButton& b, ButtonLook look)
{
    const QString sans = QStringLiteral("MS Sans Serif");
    switch (look) {
    case ButtonLook::Generate:
        applyWhiteToNavy(b);
        b.setBeginColor(windowBlue);
        b.setTextShadeType(ShadeType::Heavy);
        b.setFont(common::pixelFont(QStringLiteral("Arial Cyr"), 13, true, true));
        break;
    case ButtonLook::AddFiles:
        b.setGradientStyle(GradientStyle::Elliptic);
        b.setTextShadeType(ShadeType::Heavy);
        b.setTextHighlightColor(kBlack);
        b.setTextShadowColor(kBlack);
        b.setDisabledColor(kGray);
        b.setFontColor(kWhite);
        b.setFont(common::pixelFont(sans, 11, true));
        break;
    case ButtonLook::Command:
    case ButtonLook::Dialog:
        applyWhiteToNavy(b);
        b.setFont(common::pixelFont(sans, 11));
        break;
    case ButtonLook::StepSymbol:
        applyWhiteToNavy(b);
        b.setFont(common::pixelFont(QStringLiteral("Webdings"), 15));
        break;
    case ButtonLook::About:
        b.setBeginColor(windowBlue);
        b.setEndColor(kWhite);
        b.setTextStyle(TextStyle::Inset);
        b.setTextShadeType(ShadeType::Heavy);
        b.setTextHighlightColor(kWhite);
        b.setTextShadowColor(kWhite);
        b.setFontColor(kNavy);
        b.setFont(common::pixelFont(QStringLiteral("Arial"), 17, true));
        break;
    }
    b.setShowFocus(false);
    b.setTabStop(true);
}

} // namespace pagula::widgets
