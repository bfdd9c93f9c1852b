#pragma once

#include <QString>

class QAbstractItemView;
class QWidget;

namespace pagula::joblist
{

class JobListModel;

// Adds the files selected in the file list to the job list: for each selected row, in the file
// list's order, the entry folder + "/" + name + "0", ticked; the added rows are deselected and
// the count label rewritten. No duplicate check. A name holding a line break cannot be stored in
// the job list file: it is refused with one error report naming such files (its row stays
// selected) and the other files are still added.
void addSelectedFiles(JobListModel& jobList, QAbstractItemView& fileList, const QString& folder,
                      QWidget* reportParent);

// The text of that report.
QString refusedFilesMessage(const QStringList& paths);

} // namespace pagula::joblist
