#pragma once

#include <QIcon>
#include <QImage>

namespace pagula::joblist
{

// The program's list of 16 x 16 icons, drawn by code. The crop tab set and the job list use
// PageIcon (24), the arrows 32 and 34 (crop profile 2 and 1), the preview tab set 37 and 42;
// the other indices hold simple generic glyphs.
class ProgramIcons
{
public:
    static constexpr int Count = 51;
    static constexpr int IconSize = 16;

    static constexpr int PageIcon = 24;          // a page with lines of text
    static constexpr int ArrowRightIcon = 32;    // grey arrow pointing right: crop profile 2
    static constexpr int ArrowLeftIcon = 34;     // grey arrow pointing left: crop profile 1
    static constexpr int CycleArrowsIcon = 37;   // green arrows forming a triangle
    static constexpr int PageMagnifierIcon = 42; // a page with a magnifying glass

    // The icon's picture (premultiplied ARGB, transparent background); a null image outside
    // 0..Count-1.
    static const QImage& image(int index);
    static QIcon icon(int index);
};

} // namespace pagula::joblist
