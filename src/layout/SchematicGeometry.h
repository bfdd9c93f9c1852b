#pragma once

#include "layout/LayoutSettings.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace pagula::layout
{

// The schematic shows the first page at one pixel per millimetre.
constexpr int kSchematicWidth = kPageWidthMm;
constexpr int kSchematicHeight = kPageHeightMm;

// A rectangle as the schematic's drawing rules give it: left, top, right, bottom with the right
// and bottom edges excluded. Coordinates are 64-bit: typed margins and sizes are unbounded, and
// what lies off the picture is clipped only when drawn.
struct PixelRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;

    bool operator==(const PixelRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    // Swapped edges are put in order, as the platform's rectangle drawing does.
    PixelRect normalized() const;
    // The part inside `bounds` (empty when nothing is).
    QRect clippedTo(const QRect& bounds) const;
};

struct SchematicCell {
    int column = 1; // 1-based
    int row = 1;    // 1-based
    PixelRect outline;
    std::optional<PixelRect> strip; // none when no gutter side is selected
    QString number;                 // "n", or "2n-1(2n)" for two-sided output
    std::int64_t numberCentreX = 0; // the text is centred on this column
    std::int64_t numberTop = 0;     // the top of the text
};

// Everything the schematic depends on besides colours.
struct SchematicLayout {
    LayoutSettings settings;
    GutterSide gutterSide = GutterSide::Left;
    bool twoSide = false;
};

struct SchematicGeometry {
    PixelRect page;
    std::vector<SchematicCell> cells; // in drawing order: column by column, top to bottom
};

// Whole-pixel size of a length: the nearest integer, halves to the even neighbour.
std::int64_t schematicPixels(double millimetres);

// The page outline, every cell with its strip and number position.
SchematicGeometry schematicGeometry(const SchematicLayout& layout);

} // namespace pagula::layout
