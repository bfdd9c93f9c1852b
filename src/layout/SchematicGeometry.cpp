#include "layout/SchematicGeometry.h"

#include "common/Conversions.h"

#include <algorithm>

namespace pagula::layout
{

PixelRect PixelRect::normalized() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

QRect PixelRect::clippedTo(const QRect& bounds) const
{
    const PixelRect n = normalized();
    const std::int64_t l = std::max<std::int64_t>(n.left, bounds.left());
    const std::int64_t t = std::max<std::int64_t>(n.top, bounds.top());
    const std::int64_t r = std::min<std::int64_t>(n.right, std::int64_t(bounds.right()) + 1);
    const std::int64_t b = std::min<std::int64_t>(n.bottom, std::int64_t(bounds.bottom()) + 1);
    if (l >= r || t >= b)
        return {};
    return QRect(int(l), int(t), int(r - l), int(b - t));
}

std::int64_t schematicPixels(double millimetres)
{
    // The general scale is length x picture size / page size; the picture is the page in mm.
    return common::roundHalfEven(millimetres * kSchematicWidth / kPageWidthMm);
}

namespace
{

std::int64_t schematicPixelsDown(double millimetres)
{
    return common::roundHalfEven(millimetres * kSchematicHeight / kPageHeightMm);
}

std::optional<PixelRect> gutterStrip(GutterSide side, std::int64_t x, std::int64_t y,
                                     std::int64_t cw, std::int64_t ch, std::int64_t g)
{
    // Each strip shares the cell outline's outer edges on three sides and is g pixels deep.
    switch (side) {
    case GutterSide::Left:
        return PixelRect{x, y, x + g, y + ch + 1};
    case GutterSide::Right:
        return PixelRect{x + cw + 1 - g, y, x + cw + 1, y + ch + 1};
    case GutterSide::Top:
        return PixelRect{x, y, x + cw + 1, y + g};
    case GutterSide::Bottom:
        return PixelRect{x, y + ch + 1 - g, x + cw + 1, y + ch + 1};
    case GutterSide::None:
        break;
    }
    return std::nullopt;
}

QString cellNumber(std::int64_t n, bool twoSide)
{
    if (!twoSide)
        return QString::number(n);
    return QStringLiteral("%1(%2)").arg(2 * n - 1).arg(2 * n);
}

} // namespace

SchematicGeometry schematicGeometry(const SchematicLayout& layout)
{
    const LayoutSettings& s = layout.settings;
    const std::int64_t cw = schematicPixels(s.cellWidth);
    const std::int64_t ch = schematicPixelsDown(s.cellHeight);
    const std::int64_t pw = schematicPixels(s.maxCellWidth);
    const std::int64_t ph = schematicPixelsDown(s.maxCellHeight);
    const std::int64_t g = s.gutterSize;

    SchematicGeometry geometry;
    geometry.page = {0, 0, kSchematicWidth, kSchematicHeight};
    if (s.columns < 1 || s.rows < 1)
        return geometry;
    geometry.cells.reserve(std::size_t(s.columns) * std::size_t(s.rows));
    // Cells stand at the pitch of the largest cell, so smaller chosen cells leave gaps; they are
    // drawn column by column but numbered row by row.
    for (int c = 1; c <= s.columns; ++c) {
        for (int r = 1; r <= s.rows; ++r) {
            SchematicCell cell;
            cell.column = c;
            cell.row = r;
            const std::int64_t x = (c - 1) * pw + s.marginLeft;
            const std::int64_t y = (r - 1) * ph + s.marginTop;
            cell.outline = {x, y, x + cw + 1, y + ch + 1};
            cell.strip = gutterStrip(layout.gutterSide, x, y, cw, ch, g);
            cell.number = cellNumber(std::int64_t(r - 1) * s.columns + c, layout.twoSide);
            cell.numberCentreX = x + cw / 2; // C++ division truncates towards zero, like div
            cell.numberTop = y + ch / 2 - 5;
            geometry.cells.push_back(cell);
        }
    }
    return geometry;
}

} // namespace pagula::layout
