#include "common/ErrorText.h"

namespace pagula::common
{

QString errorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

} // namespace pagula::common
