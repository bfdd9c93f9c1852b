#pragma once

#include <QString>

namespace pagula {

// The edits whose texts the layout handlers read or write.
enum class LayoutEdit {
    Edit3,  // chosen cell width
    Edit4,  // chosen cell height
    Edit5,  // largest cell width (read-only)
    Edit6,  // largest cell height (read-only)
    Edit7,  // left margin
    Edit8,  // right margin
    Edit9,  // top margin
    Edit10, // bottom margin
};

// What the layout handlers need of the controls that carry the settings. The panel implements
// it with real widgets; the handlers stay free of them.
class LayoutControls {
public:
    virtual ~LayoutControls() = default;

    virtual int columnsPosition() const = 0; // UpDown1
    virtual int rowsPosition() const = 0;    // UpDown2
    virtual int gutterPosition() const = 0;  // UpDown10

    virtual QString text(LayoutEdit edit) const = 0;
    // Writing a text that differs from the one shown runs that edit's change handler at once,
    // nested inside this call, exactly as a typed change would; writing the same text runs
    // nothing.
    virtual void setText(LayoutEdit edit, const QString& text) = 0;

    // Repaints the page schematic from the current settings.
    virtual void DrawPreView() = 0;
};

} // namespace pagula
