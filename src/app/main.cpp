#include "app/ProcessSetup.h"
#include "app/Program.h"
#include "app/ScreenshotTour.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    pagula::app::setUpProcess();
    pagula::app::Program program;
    program.start();

    std::unique_ptr<pagula::app::ScreenshotTour> tour;
    const QString shots = qEnvironmentVariable(pagula::app::ScreenshotTour::EnvironmentVariable);
    if (!shots.isEmpty()) {
        tour = std::make_unique<pagula::app::ScreenshotTour>(program, shots);
        tour->start();
    }
    return QApplication::exec();
}
