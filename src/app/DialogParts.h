#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::app
{

class BevelPanel;

// The build shared by the progress and About dialogs: a borderless window of a fixed client
// size, a panel filling it, a header strip across the top of the panel and one gradient
// button.

// Window background and dialog header colours.
QColor dialogBackground();
QColor dialogHeaderColour();

// No border, no title bar, no system buttons; fixed client size; the program's font.
void setUpBorderlessDialog(QWidget& dialog, QSize client, const QString& windowText);

// The panel that fills the dialog.
BevelPanel* addDialogPanel(QWidget& dialog, const char* name);

// The 18-pixel header strip at the top of the panel's inside, with a bold centred caption.
BevelPanel* addHeaderStrip(BevelPanel& panel, const char* name, const QString& caption);

// The dialog's 110 x 15 gradient button, horizontally centred, its top at y.
widgets::GradientButton* addDialogButton(BevelPanel& panel, const char* name,
                                         const QString& caption, int y);

// Moves a window to the middle of the screen it is on (the primary screen before it is shown).
void centreOnScreen(QWidget& window);

} // namespace pagula::app
