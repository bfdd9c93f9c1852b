#pragma once

#include <QString>
#include <QStringList>

namespace pagula::app
{

// The window program's command line: --lang ru|en, --help, --version, and files and folders to
// start with ("--" ends the options). Other arguments are names, as they always were.
struct StartArguments {
    QString language; // as typed; empty when not given
    bool help = false;
    bool version = false;
    QStringList files;
    QString error; // a usage error, in the language of the run
};

StartArguments readStartArguments(const QStringList& arguments);

// The texts of --help and --version, in the language of the run.
QString windowHelpText();
QString versionText(const QString& program);

// The language the user chose in the window; empty when never chosen.
QString storedLanguage();
void storeLanguage(const QString& code);

} // namespace pagula::app
