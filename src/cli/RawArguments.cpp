#include "cli/RawArguments.h"

#include "cli/TerminalText.h"

#include <QCoreApplication>
#include <QFile>

namespace pagula::cli
{

namespace
{

// The name as its bytes: ASCII as it is, every other byte as \xNN.
QString escapedBytes(const QByteArray& raw)
{
    QString out;
    for (const char c : raw) {
        const auto b = static_cast<unsigned char>(c);
        out += b < 0x80 ? QString(QLatin1Char(c))
                        : QStringLiteral("\\x%1").arg(uint(b), 2, 16, QLatin1Char('0'));
    }
    return out;
}

} // namespace

std::optional<QStringList> decodeArguments(int argc, const char* const* argv, QString* error)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        QString decoded = QFile::decodeName(raw);
        if (QFile::encodeName(decoded) != raw) {
            *error =
                QCoreApplication::translate(
                    "RawArguments",
                    "аргумент %1 (%2) — имя, которое кодировка этой системы не может передать; "
                    "файл с таким именем нельзя ни записать, ни прочитать. Переименуйте его.")
                    .arg(i)
                    .arg(shownName(escapedBytes(raw)));
            return std::nullopt;
        }
        arguments.append(std::move(decoded));
    }
    return arguments;
}

} // namespace pagula::cli
