#include "app/MainWindow.h"
#include "app/ProcessSetup.h"
#include "app/Program.h"
#include "app/ScreenshotTour.h"
#include "app/StartArguments.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace
{

QStringList commandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace pagula;
    const app::StartArguments start = app::readStartArguments(commandLine(argc, argv));
    const common::Language language = common::chooseLanguage(start.language, app::storedLanguage());
    // --help, --version and usage errors need no display.
    if (start.help || start.version || !start.error.isEmpty()) {
        QCoreApplication core(argc, argv);
        common::installTranslations(core, language);
        const app::StartArguments shown = app::readStartArguments(commandLine(argc, argv));
        if (!shown.error.isEmpty()) {
            std::fprintf(stderr, "pagula: %s\n", qPrintable(shown.error));
            return 2;
        }
        const QString text =
            shown.help ? app::windowHelpText() : app::versionText(QStringLiteral("pagula"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    app::setUpProcess(language);
    // The screenshot tour is a mode for looking at the program from a script; users never meet it.
    const QString shots = qEnvironmentVariable(app::ScreenshotTour::EnvironmentVariable);
    app::Program program({}, shots.isEmpty() ? app::Program::DocumentWindowFactory{}
                                             : app::ScreenshotTour::makeDocumentWindow);
    program.start();
    // Files and folders to start with (the menu entry passes those the user opened with it).
    program.mainWindow().addFiles(app::readStartArguments(QApplication::arguments().mid(1)).files);

    std::unique_ptr<app::ScreenshotTour> tour;
    if (!shots.isEmpty()) {
        tour = std::make_unique<app::ScreenshotTour>(program, shots);
        tour->start();
    }
    return QApplication::exec();
}
