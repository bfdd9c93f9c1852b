#include "app/docwindow/SuggestedNames.h"

#include <QDir>
#include <QFileInfo>

namespace pagula::docwindow
{

QString pictureFolder(const document::Document& document, const QString& programFolder)
{
    const QString own = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    for (int i = 0; i < document.itemCount(); ++i) {
        const document::DocumentItem& item = document.item(i);
        if (!item.picture)
            continue;
        const QString folder = QDir::cleanPath(QFileInfo(item.picture->path()).absolutePath());
        if (folder != own)
            return folder;
    }
    return {};
}

QString suggestedBaseName(const QString& pictureFolder, const QString& label)
{
    QString name = pictureFolder.isEmpty() ? QString() : QDir(pictureFolder).dirName();
    if (name.isEmpty() || name == QLatin1String("."))
        name = QStringLiteral("Pagula");
    return label.isEmpty() ? name : QStringLiteral("%1 - %2").arg(name, label);
}

} // namespace pagula::docwindow
