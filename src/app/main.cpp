#include "app/MainWindow.h"
#include "app/ProcessSetup.h"
#include "app/Program.h"
#include "app/ScreenshotTour.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    pagula::app::setUpProcess();
    // The screenshot tour is a mode for looking at the program from a script; users never meet it.
    const QString shots = qEnvironmentVariable(pagula::app::ScreenshotTour::EnvironmentVariable);
    pagula::app::Program program({}, shots.isEmpty()
                                         ? pagula::app::Program::DocumentWindowFactory{}
                                         : pagula::app::ScreenshotTour::makeDocumentWindow);
    program.start();
    // Files and folders to start with (the menu entry passes those the user opened with it).
    program.mainWindow().addFiles(QApplication::arguments().mid(1));

    std::unique_ptr<pagula::app::ScreenshotTour> tour;
    if (!shots.isEmpty()) {
        tour = std::make_unique<pagula::app::ScreenshotTour>(program, shots);
        tour->start();
    }
    return QApplication::exec();
}
