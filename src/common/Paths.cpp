#include "common/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace pagula::common
{

namespace
{

// The program's own data folder, created when missing.
QDir dataFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".local/share/Pagula"));
    QDir().mkpath(dir);
    return QDir(dir);
}

} // namespace

QString jobListFilePath()
{
    return dataFolder().filePath(QStringLiteral("joblist.txt"));
}

QString fillerPicturePath()
{
    return dataFolder().filePath(QStringLiteral("Pagula-tmp.bmp"));
}

} // namespace pagula::common
