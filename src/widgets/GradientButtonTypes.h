#pragma once

#include <QMetaType>
#include <Qt>
#include <cstdint>

namespace pagula::widgets
{

enum class GradientStyle : std::uint8_t {
    Horizontal,
    Vertical,
    Elliptic,
    Rectangle,
    VerticalCenter,
    HorizontalCenter
};

enum class TextStyle : std::uint8_t { Normal, Raised, Inset };

enum class ShadeType : std::uint8_t { Light, Heavy };

enum class Preset : std::uint8_t { None, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };

enum class Justification : std::uint8_t { Left, Center, Right };

// The shift state a mouse event reports: modifier keys, the mouse buttons held, and whether
// the press is the second one of a double click.
struct ShiftState {
    Qt::KeyboardModifiers keys;
    Qt::MouseButtons buttons;
    bool doubleClick = false;

    friend bool operator==(const ShiftState& a, const ShiftState& b)
    {
        return a.keys == b.keys && a.buttons == b.buttons && a.doubleClick == b.doubleClick;
    }
};

} // namespace pagula::widgets

Q_DECLARE_METATYPE(pagula::widgets::ShiftState)
