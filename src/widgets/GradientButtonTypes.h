#pragma once

#include <QMetaType>
#include <Qt>
#include <cstdint>

namespace pagula::widgets
{

enum class TGradientStyle : std::uint8_t {
    gsHorizontal,
    gsVertical,
    gsElliptic,
    gsRectangle,
    gsVertCenter,
    gsHorizCenter
};

enum class TTextStyle : std::uint8_t { tsNormal, tsRaised, tsInset };

enum class TShadeType : std::uint8_t { stLight, stHeavy };

enum class TPreset : std::uint8_t { None, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };

enum class TJustification : std::uint8_t { jLeft, jCenter, jRight };

// The shift state a mouse event reports: modifier keys, the mouse buttons held, and whether
// the press is the second one of a double click.
struct TShiftState {
    Qt::KeyboardModifiers keys;
    Qt::MouseButtons buttons;
    bool doubleClick = false;

    friend bool operator==(const TShiftState& a, const TShiftState& b)
    {
        return a.keys == b.keys && a.buttons == b.buttons && a.doubleClick == b.doubleClick;
    }
};

} // namespace pagula::widgets

Q_DECLARE_METATYPE(pagula::widgets::TShiftState)
