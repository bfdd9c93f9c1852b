#include "joblist/ui/AddSelectedFiles.h"

#include "joblist/JobEntry.h"
#include "joblist/JobListModel.h"
#include "widgets/ErrorReport.h"

#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <algorithm>
#include <vector>

namespace pagula::joblist
{

QString refusedFilesMessage(const QStringList& paths)
{
    QStringList lines;
    for (QString path : paths) {
        path.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
        path.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        path.replace(QChar(0), QStringLiteral("\\0"));
        lines.append(QStringLiteral(
                         "Cannot add file \"%1\": its name holds a line break, which the job list "
                         "file cannot store")
                         .arg(path));
    }
    return lines.join(QLatin1Char('\n'));
}

void addSelectedFiles(JobListModel& jobList, QAbstractItemView& fileList, const QString& folder,
                      QWidget* reportParent)
{
    QItemSelectionModel* selection = fileList.selectionModel();
    QAbstractItemModel* model = fileList.model();
    std::vector<QPersistentModelIndex> rows;
    if (selection != nullptr && model != nullptr) {
        const QModelIndex root = fileList.rootIndex();
        for (const QModelIndex& index : selection->selectedIndexes()) {
            if (index.parent() == root)
                rows.emplace_back(index.siblingAtColumn(0));
        }
        std::sort(rows.begin(), rows.end(),
                  [](const QPersistentModelIndex& a, const QPersistentModelIndex& b) {
                      return a.row() < b.row();
                  });
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }

    const auto* files = qobject_cast<const QFileSystemModel*>(model);
    QStringList names;
    names.reserve(static_cast<qsizetype>(rows.size()));
    for (const QPersistentModelIndex& index : rows)
        names.append(files != nullptr ? files->fileName(index)
                                      : index.data(Qt::DisplayRole).toString());

    QStringList problems;
    const QStringList refused = jobList.appendFiles(folder, names, &problems);

    QItemSelection added;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!hasLineBreak(filePathIn(folder, names[static_cast<qsizetype>(i)])))
            added.select(rows[i], rows[i]);
    }
    if (selection != nullptr && !added.isEmpty())
        selection->select(added, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);

    reportAddProblems(reportParent, refused, problems);
}

void reportAddProblems(QWidget* parent, const QStringList& refused, const QStringList& problems)
{
    QStringList lines;
    if (!refused.isEmpty())
        lines.append(refusedFilesMessage(refused));
    lines.append(problems);
    if (!lines.isEmpty())
        widgets::ErrorReport::show(parent, lines.join(QLatin1Char('\n')));
}

} // namespace pagula::joblist
