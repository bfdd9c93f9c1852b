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

// Where the binding strip lies inside each cell: the selected index of the gutter drop-down.
// Any other index (none selected) means no strip.
enum GutterSide : int { GutterLeft = 0, GutterRight = 1, GutterTop = 2, GutterBottom = 3 };

} // namespace pagula::layout
