#pragma once

#include <QString>

#include <functional>
#include <optional>

class QCoreApplication;

namespace pagula::common
{

// The language the program speaks. Russian is its own language: every source text is
// Russian, and English comes from the translation catalogue.
enum class Language { Russian, English };

// "ru" / "en" (any case) -> the language; anything else -> nothing.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

// Reads one environment variable; empty when unset.
using EnvironmentReader = std::function<QString(const char* name)>;
QString readEnvironment(const char* name);

// The language of a run: the --lang option, then the window's setting, then the locale as
// gettext reads it (the first set of LC_ALL, LC_MESSAGES, LANG): "ru*" Russian, "en*" English,
// anything else (C, POSIX, other languages) Russian. Empty or unknown codes are skipped.
Language chooseLanguage(const QString& option, const QString& setting,
                        const EnvironmentReader& environment = readEnvironment);

// Installs the program's catalogue and Qt's own for the language into the application (the
// Russian source texts need none of the program's; Qt's Russian catalogue is still loaded).
void installTranslations(QCoreApplication& application, Language language);

// The current language as set by installTranslations (Russian before it ran).
Language currentLanguage();

} // namespace pagula::common
