#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace pagula::app
{

// One choice of the file browser's filter drop-down: its text and the masks it puts on the
// file list.
struct FileFilter {
    QString name;
    QString masks; // "*.jpg;*.jpeg", as the drop-down offers it
};

// The filters of the file browser, in the order the drop-down lists them: every supported kind
// at once (chosen at start), then each kind on its own. Made at each call, in the language of
// the moment.
std::vector<FileFilter> pictureFileFilters();

// The masks of a filter as name filters for a file list ("*.jpg;*.jpeg" -> {"*.jpg", "*.jpeg"}).
// Blank parts are dropped.
QStringList nameFilters(const QString& masks);

// The masks of every supported kind: the names a dropped file may have to be a picture (or a
// document, which comes in page by page).
QStringList allPictureMasks();

} // namespace pagula::app
