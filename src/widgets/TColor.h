#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

class QPalette;

namespace pagula::widgets
{

// A colour as the stored window layouts give it: an explicit colour 0x00BBGGRR (red in the low
// byte), or 0x80000000 plus the index of a system colour that the platform supplies.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor systemColorFlag = 0x80000000u;
constexpr TColor clBtnShadow = systemColorFlag | 16;
constexpr TColor clGrayText = systemColorFlag | 17;
constexpr TColor clBtnHighlight = systemColorFlag | 20;

// An explicit colour from its channels.
constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}

constexpr bool isSystemColor(TColor c)
{
    return (c & systemColorFlag) != 0;
}

// The three low bytes taken as they stand, without resolving a system colour. The gradient
// works on these, so a system colour paints from its index (clBtnHighlight gives 0x000014).
constexpr QRgb rawRgb(TColor c)
{
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// The colour a pen or a font uses: explicit colours as they are, system colours looked up in
// the palette (clBtnShadow -> Dark, clGrayText -> disabled WindowText, clBtnHighlight -> Light).
QColor resolveColor(TColor c, const QPalette& palette);

// The same, through the application's palette.
QColor resolveColor(TColor c);

} // namespace pagula::widgets
