#include "app/Volumes.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace pagula::app
{

namespace
{

// Whether `folder` is `root` or lies below it (at a path boundary: /home does not hold
// /homework).
bool holds(const QString& root, const QString& folder)
{
    if (!folder.startsWith(root))
        return false;
    return folder.size() == root.size() || root.endsWith(QLatin1Char('/')) ||
           folder.at(root.size()) == QLatin1Char('/');
}

} // namespace

std::vector<Volume> mountedVolumes()
{
    std::vector<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() || !info.isReady())
            continue;
        volumes.push_back({QDir::cleanPath(info.rootPath()), info.name()});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    volumes.erase(
        std::unique(volumes.begin(), volumes.end(),
                    [](const Volume& a, const Volume& b) { return a.rootPath == b.rootPath; }),
        volumes.end());
    return volumes;
}

QString volumeText(const Volume& volume)
{
    if (volume.label.isEmpty() || volume.label == volume.rootPath)
        return volume.rootPath;
    return QStringLiteral("%1 [%2]").arg(volume.rootPath, volume.label);
}

int volumeIndexFor(const std::vector<Volume>& volumes, const QString& folder)
{
    const QString path = QDir::cleanPath(folder);
    int best = -1;
    for (int i = 0; i < int(volumes.size()); ++i) {
        const QString& root = volumes[size_t(i)].rootPath;
        if (holds(root, path) && (best < 0 || root.size() > volumes[size_t(best)].rootPath.size()))
            best = i;
    }
    return best;
}

} // namespace pagula::app
