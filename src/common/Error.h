#pragma once

#include <QString>
#include <stdexcept>

namespace pagula::common
{

// A failure carrying the message text that the user sees. Handlers that do not catch it
// hand it to the default error report (widgets/ErrorReport.h).
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

} // namespace pagula::common
