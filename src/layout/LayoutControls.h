#pragma once

#include <QString>

namespace pagula::layout
{

// The edits whose texts the layout handlers read or write.
enum class LayoutEdit {
    CellWidth,     // chosen cell width
    CellHeight,    // chosen cell height
    MaxCellWidth,  // largest cell width (read-only)
    MaxCellHeight, // largest cell height (read-only)
    MarginLeft,    // left margin
    MarginRight,   // right margin
    MarginTop,     // top margin
    MarginBottom,  // bottom margin
};

// What the layout handlers need of the controls that carry the settings. The panel implements
// it with real widgets; the handlers stay free of them.
class LayoutControls
{
public:
    virtual ~LayoutControls() = default;

    virtual int columnsPosition() const = 0; // columnsSpin
    virtual int rowsPosition() const = 0;    // rowsSpin
    virtual int gutterPosition() const = 0;  // gutterSizeSpin

    virtual QString text(LayoutEdit edit) const = 0;
    // Writing a text that differs from the one shown runs that edit's change handler at once,
    // nested inside this call, exactly as a typed change would; writing the same text runs
    // nothing.
    virtual void setText(LayoutEdit edit, const QString& text) = 0;

    // Repaints the page schematic from the current settings.
    virtual void redrawSchematic() = 0;
};

} // namespace pagula::layout
