#pragma once

#include "common/Language.h"

namespace pagula::app
{

// What the process sets before its first window: the application title "Pagula", its icon, the font
// substitutions for the window fonts, the program's and Qt's catalogues for the language, '.' as
// the decimal separator of shown numbers whatever the user's locale, and the picture readers'
// allocation limit (the imaging module's bound on a decoded picture). Needs the QApplication.
void setUpProcess(common::Language language = common::Language::Russian);

} // namespace pagula::app
