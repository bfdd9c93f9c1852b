#include "app/ProcessSetup.h"

#include "common/Fonts.h"
#include "imaging/Limits.h"

#include <QApplication>
#include <QImageReader>
#include <QLocale>

#include <clocale>

namespace pagula::app
{

void setUpProcess()
{
    QApplication::setApplicationName(QStringLiteral("Pagula"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pagula"));
    installFontSubstitutions();
    // The application object takes the user's locale for C formatting too; numbers are read and
    // written with '.' everywhere.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    QImageReader::setAllocationLimit(imaging::limits::qtAllocationLimitMiB);
}

} // namespace pagula::app
