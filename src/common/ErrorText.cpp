#include "common/ErrorText.h"

namespace pagula::common
{

QString errorReportText(const QString& message)
{
    QString text = message;
    // A message quoting a name from outside can be of any length; a box of it would not show.
    if (text.size() > maxErrorReportLength) {
        qsizetype head = (maxErrorReportLength - 1) / 2;
        if (text.at(head - 1).isHighSurrogate())
            --head;
        qsizetype tail = text.size() - (maxErrorReportLength - 1 - head);
        if (text.at(tail).isLowSurrogate())
            ++tail;
        text = text.left(head) + QChar(0x2026) + text.mid(tail);
    }
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

} // namespace pagula::common
