#include "joblist/DroppedPictures.h"

#include "joblist/JobListModel.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <QCoreApplication>
#include <algorithm>

namespace pagula::joblist
{

namespace
{
bool matchesAny(const QString& name, const QStringList& masks)
{
    return std::any_of(masks.begin(), masks.end(), [&name](const QString& mask) {
        const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(mask),
                                         QRegularExpression::CaseInsensitiveOption);
        return pattern.match(name).hasMatch();
    });
}

// In the file list's order: QFileSystemModel sorts names with such a collator.
QStringList picturesOf(const QString& folder, const QStringList& masks)
{
    if (masks.isEmpty())
        return {};
    QDir dir(folder);
    QStringList names = dir.entryList(masks, QDir::Files);
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths.append(dir.absoluteFilePath(name));
    return paths;
}

QString shownName(const QUrl& url)
{
    if (!url.isLocalFile())
        return url.toDisplayString();
    const QString name = QFileInfo(url.toLocalFile()).fileName();
    return name.isEmpty() ? url.toLocalFile() : name;
}
} // namespace

DroppedPictures sortOutDrop(const QList<QUrl>& urls, const QStringList& folderMasks,
                            const QStringList& pictureMasks)
{
    DroppedPictures drop;
    for (const QUrl& url : urls) {
        const QFileInfo info(url.isLocalFile() ? url.toLocalFile() : QString());
        if (info.filePath().isEmpty() || !info.exists()) {
            drop.ignored.append(shownName(url));
        } else if (info.isDir()) {
            drop.paths.append(picturesOf(info.absoluteFilePath(), folderMasks));
        } else if (info.isFile() && matchesAny(info.fileName(), pictureMasks)) {
            drop.paths.append(info.absoluteFilePath());
        } else {
            drop.ignored.append(shownName(url));
        }
    }
    return drop;
}

QStringList appendPictures(JobListModel& jobList, const QStringList& paths, QStringList* problems)
{
    // One append per run of pictures from the same folder keeps the list's updates few.
    QStringList refused;
    qsizetype first = 0;
    while (first < paths.size()) {
        const QString folder = QFileInfo(paths[first]).absolutePath();
        QStringList names;
        qsizetype next = first;
        for (; next < paths.size(); ++next) {
            const QFileInfo info(paths[next]);
            if (info.absolutePath() != folder)
                break;
            names.append(info.fileName());
        }
        refused.append(jobList.appendFiles(folder, names, problems));
        first = next;
    }
    return refused;
}

QString dropStatusText(int added, const QStringList& ignored, bool otherContent)
{
    QString text =
        QCoreApplication::translate("DroppedPictures", "Добавлено рисунков: %1.").arg(added);
    if (ignored.isEmpty() && !otherContent)
        return text;
    constexpr qsizetype named = 3;
    QStringList shown = ignored.mid(0, named);
    if (ignored.size() > named)
        shown.append(
            QCoreApplication::translate("DroppedPictures", "ещё %1").arg(ignored.size() - named));
    if (shown.isEmpty())
        text += QCoreApplication::translate(
            "DroppedPictures", " Перетащенное не добавлено: это не рисунки и не папки.");
    else
        text += QCoreApplication::translate("DroppedPictures",
                                            " Не рисунки и не папки, не добавлены: %1.")
                    .arg(shown.join(QStringLiteral(", ")));
    return text;
}

} // namespace pagula::joblist
