#pragma once

namespace pagula::app
{

// What the process sets before its first window: the application title "Pagula", the font
// substitutions for the window fonts, '.' as the decimal separator whatever the user's locale,
// and the picture readers' allocation limit (the imaging module's bound on a decoded picture).
// Needs the QApplication.
void setUpProcess();

} // namespace pagula::app
