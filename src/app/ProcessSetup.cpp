#include "app/ProcessSetup.h"

#include "app/ProgramIcon.h"
#include "common/Fonts.h"
#include "common/TemporaryFolders.h"
#include "imaging/Limits.h"

#include <QApplication>
#include <QImageReader>
#include <QLocale>

#include <clocale>

namespace pagula::app
{

void setUpProcess(common::Language language)
{
    // Only the application name: a display name would make Qt append " — Pagula" to every
    // title the window manager shows.
    QApplication::setApplicationName(QStringLiteral("Pagula"));
    // Every window shows the program's icon; the menu entry is the one of this name.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("pagula"));
    common::installFontSubstitutions();
    common::installTranslations(*qApp, language);
    // The application object takes the user's locale for C formatting too; numbers are read and
    // written with '.' everywhere.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    QImageReader::setAllocationLimit(imaging::limits::qtAllocationLimitMiB);
    // Folders a killed run left among the program's temporary ones.
    common::removeStaleTemporaryFolders();
}

} // namespace pagula::app
