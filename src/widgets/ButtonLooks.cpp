#include "widgets/ButtonLooks.h"

#include "common/Fonts.h"
#include "widgets/GradientButton.h"

namespace pagula::widgets
{

namespace
{

const TColor windowBlue = rgbColor(182, 196, 231);

// White to navy rectangles with black text shading and a grey disabled face: the common base.
void applyWhiteToNavy(GradientButton& b)
{
    b.setBeginColor(clWhite);
    b.setEndColor(clNavy);
    b.setGradientStyle(TGradientStyle::gsRectangle);
    b.setTxtHiliteClr(clBlack);
    b.setTxtShadowClr(clBlack);
    b.setDisabledColor(clGray);
    b.setFontColor(clWhite);
}

} // namespace

void applyButtonLook(GradientButton& b, ButtonLook look)
{
    const QString sans = QStringLiteral("MS Sans Serif");
    switch (look) {
    case ButtonLook::Generate:
        applyWhiteToNavy(b);
        b.setBeginColor(windowBlue);
        b.setTextShadeType(TShadeType::stHeavy);
        b.setFont(common::pixelFont(QStringLiteral("Arial Cyr"), 13, true, true));
        break;
    case ButtonLook::AddFiles:
        b.setGradientStyle(TGradientStyle::gsElliptic);
        b.setTextShadeType(TShadeType::stHeavy);
        b.setTxtHiliteClr(clBlack);
        b.setTxtShadowClr(clBlack);
        b.setDisabledColor(clGray);
        b.setFontColor(clWhite);
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
        b.setEndColor(clWhite);
        b.setTextStyle(TTextStyle::tsInset);
        b.setTextShadeType(TShadeType::stHeavy);
        b.setTxtHiliteClr(clWhite);
        b.setTxtShadowClr(clWhite);
        b.setFontColor(clNavy);
        b.setFont(common::pixelFont(QStringLiteral("Arial"), 17, true));
        break;
    }
    b.setShowFocus(false);
    b.setTabStop(true);
}

} // namespace pagula::widgets
