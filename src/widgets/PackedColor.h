#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

class QPalette;

namespace pagula::widgets
{

// A colour as the stored window layouts give it: an explicit colour 0x00BBGGRR (red in the low
// byte), or 0x80000000 plus the index of a system colour that the platform supplies.
using PackedColor = std::uint32_t;

constexpr PackedColor kBlack = 0x000000;
constexpr PackedColor kMaroon = 0x000080;
constexpr PackedColor kGreen = 0x008000;
constexpr PackedColor kOlive = 0x008080;
constexpr PackedColor kNavy = 0x800000;
constexpr PackedColor kGray = 0x808080;
constexpr PackedColor kRed = 0x0000FF;
constexpr PackedColor kLime = 0x00FF00;
constexpr PackedColor kYellow = 0x00FFFF;
constexpr PackedColor kAqua = 0xFFFF00;
constexpr PackedColor kWhite = 0xFFFFFF;

constexpr PackedColor systemColorFlag = 0x80000000u;
constexpr PackedColor kButtonShadow = systemColorFlag | 16;
constexpr PackedColor kGrayText = systemColorFlag | 17;
constexpr PackedColor kButtonHighlight = systemColorFlag | 20;

// An explicit colour from its channels.
constexpr PackedColor rgbColor(int r, int g, int b)
{
    return PackedColor(r & 0xFF) | PackedColor(g & 0xFF) << 8 | PackedColor(b & 0xFF) << 16;
}

constexpr bool isSystemColor(PackedColor c)
{
    return (c & systemColorFlag) != 0;
}

// The three low bytes taken as they stand, without resolving a system colour. The gradient
// works on these, so a system colour paints from its index (kButtonHighlight gives 0x000014).
constexpr QRgb rawRgb(PackedColor c)
{
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// The colour a pen or a font uses: explicit colours as they are, system colours looked up in
// the palette (kButtonShadow -> Dark, kGrayText -> disabled WindowText, kButtonHighlight -> Light).
QColor resolveColor(PackedColor c, const QPalette& palette);

// The same, through the application's palette.
QColor resolveColor(PackedColor c);

} // namespace pagula::widgets
