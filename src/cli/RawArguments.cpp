#include "cli/RawArguments.h"

#include "cli/TerminalText.h"

#include <QFile>

namespace pagula::cli
{

std::optional<QStringList> decodeArguments(int argc, const char* const* argv, QString* error)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        QString decoded = QFile::decodeName(raw);
        if (QFile::encodeName(decoded) != raw) {
            *error = QStringLiteral("argument %1 (%2) is not a name this system's encoding can "
                                    "hold; a file of that name could not be written or read "
                                    "back. Rename it.")
                         .arg(i)
                         .arg(shownName(decoded));
            return std::nullopt;
        }
        arguments.append(std::move(decoded));
    }
    return arguments;
}

} // namespace pagula::cli
