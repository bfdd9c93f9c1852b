#include "app/StartArguments.h"

#include "common/Language.h"

#include <QCoreApplication>
#include <QSettings>

namespace pagula::app
{

namespace
{
const char* const Key = "language";
} // namespace

StartArguments readStartArguments(const QStringList& arguments)
{
    StartArguments out;
    bool options = true;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!options) {
            out.files.append(a);
        } else if (a == QLatin1String("--")) {
            options = false;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.help = true;
        } else if (a == QLatin1String("--version")) {
            out.version = true;
        } else if (a == QLatin1String("--lang") || a.startsWith(QLatin1String("--lang="))) {
            const bool joined = a.contains(QLatin1Char('='));
            if (!joined && i + 1 >= arguments.size()) {
                out.error = QCoreApplication::translate("StartArguments",
                                                        "--lang: нужно указать ru или en");
                break;
            }
            out.language = joined ? a.section(QLatin1Char('='), 1) : arguments[++i];
            if (!common::languageFromCode(out.language)) {
                out.error =
                    QCoreApplication::translate("StartArguments", "--lang: язык «%1» неизвестен; "
                                                                  "нужно указать ru или en")
                        .arg(out.language);
                out.language.clear();
                break;
            }
        } else {
            // Qt's own options were taken by the application; anything else is a name.
            out.files.append(a);
        }
    }
    return out;
}

QString windowHelpText()
{
    return QCoreApplication::translate(
        "StartArguments",
        "Использование: pagula [параметры] [ФАЙЛ|ПАПКА...]\n"
        "\n"
        "Окно Pagula: сканы и фотографии страниц ложатся на лист A4 мелкими ячейками,\n"
        "готовыми к резке и переплёту. Файлы и папки из командной строки добавляются\n"
        "в список заданий.\n"
        "\n"
        "Параметры:\n"
        "  --lang ЯЗЫК              язык программы: ru или en (по умолчанию по локали:\n"
        "                           en* - английский, иначе русский)\n"
        "  -h, --help               этот текст\n"
        "  --version                версия программы\n"
        "\n"
        "Без окна, для пакетной работы: pagula-compose.\n");
}

QString versionText(const QString& program)
{
    return QStringLiteral("%1 (Pagula) %2\n").arg(program, QStringLiteral(PAGULA_VERSION));
}

QString storedLanguage()
{
    QSettings store(QStringLiteral("Pagula"), QStringLiteral("Pagula"));
    return store.value(QLatin1String(Key)).toString();
}

void storeLanguage(const QString& code)
{
    QSettings store(QStringLiteral("Pagula"), QStringLiteral("Pagula"));
    store.setValue(QLatin1String(Key), code);
}

} // namespace pagula::app
