#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QWidget;

namespace pagula::joblist
{

class JobListModel;

// Adds the files selected in the file list to the job list: for each selected row, in the file
// list's order, the entry folder + "/" + name + "0", ticked (a document, one entry per page);
// the added rows are deselected and the count label rewritten. No duplicate check. A name
// holding a line break cannot be stored in the job list file: it is refused with one error
// report naming such files (its row stays selected) and the other files are still added; the
// same report tells of documents that could not be read or were cut short.
void addSelectedFiles(JobListModel& jobList, QAbstractItemView& fileList, const QString& folder,
                      QWidget* reportParent);

// The text of that report about the names refused.
QString refusedFilesMessage(const QStringList& paths);

// Reports refused names and unreadable documents in one error report, when there are any.
void reportAddProblems(QWidget* parent, const QStringList& refused, const QStringList& problems);

} // namespace pagula::joblist
