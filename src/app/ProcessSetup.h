#pragma once

namespace pagula::app
{

// What the process sets before its first window: the application title "Pagula", the font
// substitutions for the window fonts, '.' as the decimal separator whatever the user's locale,
// and the picture readers' allocation limit. Needs the QApplication.
void setUpProcess();

// The allocation limit given to Qt's picture readers, in MiB: the decoded-picture bound the
// imaging module keeps to (64 megapixels at 4 bytes per pixel).
constexpr int PictureReaderLimitMiB = 256;

} // namespace pagula::app
