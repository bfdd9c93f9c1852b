#include "common/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace pagula::common
{

namespace
{
Language current = Language::Russian;
// The catalogues installed last; a new choice replaces them. They belong to the application
// and go with it.
QPointer<QTranslator> qtCatalogue;
QPointer<QTranslator> ownCatalogue;

void drop(QPointer<QTranslator>& translator)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator.data();
    }
    translator.clear();
}
} // namespace

std::optional<Language> languageFromCode(const QString& code)
{
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("ru"))
        return Language::Russian;
    if (c == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru");
}

QString readEnvironment(const char* name)
{
    return qEnvironmentVariable(name);
}

Language chooseLanguage(const QString& option, const QString& setting,
                        const EnvironmentReader& environment)
{
    if (const auto chosen = languageFromCode(option))
        return *chosen;
    if (const auto chosen = languageFromCode(setting))
        return *chosen;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString locale = environment(name);
        if (locale.isEmpty())
            continue;
        return locale.startsWith(QLatin1String("en")) ? Language::English : Language::Russian;
    }
    return Language::Russian;
}

void installTranslations(QCoreApplication& application, Language language)
{
    current = language;
    const QString code = languageCode(language);
    drop(qtCatalogue);
    drop(ownCatalogue);
    qtCatalogue = new QTranslator(&application);
    if (qtCatalogue->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtCatalogue);
    if (language == Language::English) {
        ownCatalogue = new QTranslator(&application);
        if (ownCatalogue->load(QStringLiteral(":/i18n/pagula_en.qm")))
            QCoreApplication::installTranslator(ownCatalogue);
    }
}

Language currentLanguage()
{
    return current;
}

} // namespace pagula::common
