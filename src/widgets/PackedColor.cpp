#include "widgets/PackedColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace pagula::widgets
{

namespace
{

struct SystemColorRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The Windows system colour indices 0 to 24 mapped onto the palette roles that play the same
// part; only 16, 17 and 20 are used by the buttons, the rest keep other uses sensible.
bool systemColorRole(unsigned index, SystemColorRole& out)
{
    using P = QPalette;
    static const SystemColorRole table[] = {
        {P::Active, P::Button},          // 0 scroll bar
        {P::Active, P::Window},          // 1 desktop
        {P::Active, P::Highlight},       // 2 active caption
        {P::Inactive, P::Highlight},     // 3 inactive caption
        {P::Active, P::Window},          // 4 menu
        {P::Active, P::Base},            // 5 window
        {P::Active, P::Shadow},          // 6 window frame
        {P::Active, P::WindowText},      // 7 menu text
        {P::Active, P::Text},            // 8 window text
        {P::Active, P::HighlightedText}, // 9 caption text
        {P::Active, P::Mid},             // 10 active border
        {P::Inactive, P::Mid},           // 11 inactive border
        {P::Active, P::Dark},            // 12 application workspace
        {P::Active, P::Highlight},       // 13 highlight
        {P::Active, P::HighlightedText}, // 14 highlighted text
        {P::Active, P::Button},          // 15 button face
        {P::Active, P::Dark},            // 16 button shadow
        {P::Disabled, P::WindowText},    // 17 grey text
        {P::Active, P::ButtonText},      // 18 button text
        {P::Inactive, P::WindowText},    // 19 inactive caption text
        {P::Active, P::Light},           // 20 button highlight
        {P::Active, P::Shadow},          // 21 3-D dark shadow
        {P::Active, P::Midlight},        // 22 3-D light
        {P::Active, P::ToolTipText},     // 23 tooltip text
        {P::Active, P::ToolTipBase},     // 24 tooltip background
    };
    if (index >= sizeof table / sizeof table[0])
        return false;
    out = table[index];
    return true;
}

} // namespace

QColor resolveColor(PackedColor c, const QPalette& palette)
{
    if (!isSystemColor(c))
        return QColor(rawRgb(c));
    SystemColorRole r{};
    if (!systemColorRole(c & 0xFF, r))
        return QColor(Qt::black);
    return palette.color(r.group, r.role);
}

QColor resolveColor(PackedColor c)
{
    return resolveColor(c, QGuiApplication::palette());
}

} // namespace pagula::widgets
