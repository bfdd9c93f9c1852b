#pragma once

#include "layout/LayoutSettings.h"

#include <QString>

#include <optional>

namespace pagula::layout
{

// The settings a page is made from, as generation reads them. Lengths in millimetres, crops in
// whole percentages; a crop profile that no entry uses is not looked at.
struct LayoutCrop {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

struct LayoutInput {
    int columns = 3;
    int rows = 3;
    double cellWidth = 0.0;
    double cellHeight = 0.0;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    int gutterSize = 0;
    GutterSide gutterSide = GutterSide::Left;
    LayoutCrop crop1;
    LayoutCrop crop2;
    bool crop1Used = true;
    bool crop2Used = true;
};

enum class LayoutSetting {
    Columns,
    Rows,
    MarginLeft,
    MarginRight,
    MarginTop,
    MarginBottom,
    CellWidth,
    CellHeight,
    Gutter,
    Crop1,
    Crop2,
};

// The first setting that cannot make a page: its value, the range it must lie in (for a crop,
// the sum of two opposite sides), and two texts: one for the window, one naming the batch
// command's option.
struct LayoutProblem {
    LayoutSetting setting;
    double value;
    double minimum;
    double maximum;
    QString userMessage; // e.g. "Отступ слева 300 мм: ... допустимо от 0 до 192 мм."
    QString optionMessage; // e.g. "--margin-left 300 leaves no room ...: allowed 0 to 192"
};

// Checked in the order of the settings above, so that a cell too small for its strip is blamed
// on the cell only when the margins leave room for one.
std::optional<LayoutProblem> checkLayout(const LayoutInput& input);

// The command-line option that sets a setting, without the dashes ("margin-left").
QString layoutOptionName(LayoutSetting setting);

} // namespace pagula::layout
