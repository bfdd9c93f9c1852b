#pragma once

namespace pagula::layout
{

// The printed page is always A4 portrait.
constexpr int kPageWidthMm = 210;
constexpr int kPageHeightMm = 297;

// The page grid as last read from the layout controls; all lengths are millimetres. The start
// values are those the main window has before its controls first come up: the chosen sizes start
// above any maximum, so the first computation clamps them down to the largest cell that fits.
struct LayoutSettings {
    int columns = 3;
    int rows = 3;
    double cellWidth = 1000.0;
    double cellHeight = 1000.0;
    double maxCellWidth = cellWidth - 1.0;
    double maxCellHeight = cellHeight - 1.0;
    int marginLeft = 7;
    int marginRight = 10;
    int marginTop = 7;
    int marginBottom = 20;
    int gutterSize = 6;
};

// Where the binding strip lies inside each cell. Left … Bottom are the gutter drop-down's
// indexes in order; None (no item selected) puts no strip anywhere.
enum class GutterSide { Left = 0, Right = 1, Top = 2, Bottom = 3, None = -1 };

// The side a drop-down index stands for: any index outside 0..3 is None.
constexpr GutterSide gutterSideFromIndex(int index)
{
    return index >= 0 && index <= 3 ? GutterSide(index) : GutterSide::None;
}

constexpr int gutterSideIndex(GutterSide side)
{
    return int(side);
}

// The side on the back of the sheet: left and right swap, top, bottom and none stay.
constexpr GutterSide mirroredGutterSide(GutterSide side)
{
    return side == GutterSide::Left    ? GutterSide::Right
           : side == GutterSide::Right ? GutterSide::Left
                                       : side;
}

} // namespace pagula::layout
