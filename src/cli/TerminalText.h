#pragma once

#include <QString>

namespace pagula::cli
{

// Text from outside (file names, entries, library messages) made safe to print: control
// characters, including escape sequences that would retitle, clear or recolour the terminal,
// are shown as escapes ("\e", "\n", "\x7f", "\u202e"), and a line longer than maxLength is
// shortened in the middle with "...".
QString terminalSafe(const QString& text, int maxLength = 400);

// A name shown in a message: safe as above and at most 160 characters.
QString shownName(const QString& name);

} // namespace pagula::cli
