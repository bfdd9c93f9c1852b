#include "common/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace pagula {

QString jobListFilePath()
{
    return QDir::home().filePath(QStringLiteral("temp.txt"));
}

QString fillerPicturePath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".local/share/Pagula"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("Pagula-tmp.bmp"));
}

} // namespace pagula
