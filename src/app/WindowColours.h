#pragma once

#include <QColor>

class QWidget;

namespace pagula::app
{

// The colours the main window's regions share.
struct WindowColours {
    // Window, panels and scroll boxes.
    static QColor window() { return QColor(182, 196, 231); }
    // Edit boxes, drop-down lists and the file browser's lists.
    static QColor edit() { return QColor(223, 230, 244); }
    // The job list's background; its text is white.
    static QColor jobList() { return QColor(0, 120, 179); }
    // Splitters: the system's button face.
    static QColor splitter();

    // Gives an edit, drop-down or list its background colour.
    static void paintAsEdit(QWidget& widget);
};

} // namespace pagula::app
