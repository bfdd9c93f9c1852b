#pragma once

#include <QIcon>

namespace pagula::app
{

// The program's icon (data/pagula.svg, the one the menu entry shows) drawn at the sizes window
// managers and task bars ask for, 16 to 256 pixels.
QIcon programIcon();

} // namespace pagula::app
