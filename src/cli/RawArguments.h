#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace pagula::cli
{

// The command line as the system gave it, each argument decoded as a file name. An argument
// whose bytes do not decode (not UTF-8 under a UTF-8 locale) could not name its file again: it
// is refused, and `error` says which one.
std::optional<QStringList> decodeArguments(int argc, const char* const* argv, QString* error);

} // namespace pagula::cli
