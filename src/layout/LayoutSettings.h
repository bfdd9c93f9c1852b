#pragma once

namespace pagula::layout
{

// The printed page is always A4 portrait.
constexpr int kPageWidthMm = 210;
constexpr int kPageHeightMm = 297;

// The page grid as last read from the layout controls. Field names follow the control
// descriptions; all lengths are millimetres. The start values are those the main window has
// before its controls first come up: the chosen sizes start above any maximum, so the first
// computation clamps them down to the largest cell that fits.
struct LayoutSettings {
    int Columns = 3;
    int Rows = 3;
    double CellWidth = 1000.0;
    double CellHeight = 1000.0;
    double MaxCellWidth = CellWidth - 1.0;
    double MaxCellHeight = CellHeight - 1.0;
    int MarginLeft = 7;
    int MarginRight = 10;
    int MarginTop = 7;
    int MarginBottom = 20;
    int GutterSize = 6;
};

// Where the binding strip lies inside each cell: the selected index of the gutter drop-down.
// Any other index (none selected) means no strip.
enum GutterSide : int { GutterLeft = 0, GutterRight = 1, GutterTop = 2, GutterBottom = 3 };

} // namespace pagula::layout
