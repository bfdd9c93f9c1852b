#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace pagula::joblist
{

class JobListModel;

// What a drop from a file manager brings to the job list.
struct DroppedPictures {
    QStringList paths;   // the pictures to add, in the order they are to be added
    QStringList ignored; // what is neither a picture nor a folder, as the user knows it
};

// Sorts dropped URLs out as "Добавить" would see them: a local file whose name matches one of
// `pictureMasks` is a picture; a local folder brings its files (not those of its subfolders)
// that match `folderMasks`, in the file list's name order (its collation: case ignored, and
// numbers by value where the locale supports it);
// anything else (other files, remote URLs, missing paths) is ignored.
DroppedPictures sortOutDrop(const QList<QUrl>& urls, const QStringList& folderMasks,
                            const QStringList& pictureMasks);

// Appends the pictures as ticked entries without a crop, as "Добавить" does (a document page by
// page). Returns the paths refused because the job list file cannot store their names (a line
// break); the messages of documents left out or cut short go to `problems`.
QStringList appendPictures(JobListModel& jobList, const QStringList& paths,
                           QStringList* problems = nullptr);

// The status line after a drop: how many pictures were added and what was ignored.
// `otherContent`: the drop also held something that is not a URL (text, say).
QString dropStatusText(int added, const QStringList& ignored, bool otherContent);

} // namespace pagula::joblist
