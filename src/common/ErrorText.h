#pragma once

#include <QString>

namespace pagula::common
{

// The longest message the error report shows whole.
inline constexpr qsizetype maxErrorReportLength = 1000;

// The text of the application's default error report: the message, with a '.' appended when
// its last character's code is above that of '.' (a message ending in a letter gets a full
// stop, one ending in '.' or '!' does not). A message longer than maxErrorReportLength is
// shortened in its middle, marked by '…'.
QString errorReportText(const QString& message);

} // namespace pagula::common
