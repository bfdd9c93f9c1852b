#pragma once

namespace pagula::document
{

// Border edges of an inline picture, numbered as word processors number their border items.
enum class BorderEdge { Top = 1, Left = 2, Bottom = 3, Right = 4 };

enum class CropSide { Bottom, Top, Left, Right };

// Picture colour types as word processors number them.
enum class ColorType { Automatic = 1, Greyscale = 2, BlackAndWhite = 3 };

constexpr int LineStyleSingle = 1;
constexpr int LineWidthQuarterPoint = 2; // the word processors' code for a 1/4 pt line

} // namespace pagula::document
