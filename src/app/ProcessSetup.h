#pragma once

namespace pagula::app
{

// What the process sets before its first window: the application title "Pagula", its icon, the font
// substitutions for the window fonts, Qt's Russian catalogue for its dialogs and buttons, '.' as
// the decimal separator whatever the user's locale, and the picture readers' allocation limit (the
// imaging module's bound on a decoded picture). Needs the QApplication.
void setUpProcess();

// Loads Qt's own Russian catalogue; false when it is not installed (Qt's texts stay English).
bool installQtTranslations();

} // namespace pagula::app
