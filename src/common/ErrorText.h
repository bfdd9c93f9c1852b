#pragma once

#include <QString>

namespace pagula::common
{

// The text of the application's default error report: the message, with a '.' appended when
// its last character's code is above that of '.' (a message ending in a letter gets a full
// stop, one ending in '.' or '!' does not).
QString errorReportText(const QString& message);

} // namespace pagula::common
