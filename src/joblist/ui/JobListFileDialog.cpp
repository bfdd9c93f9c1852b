#include "joblist/ui/JobListFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace pagula::joblist
{

QString chooseJobListFile(QWidget* parent, JobListFileChoice choice)
{
    const bool save = choice == JobListFileChoice::Save;
    QFileDialog dialog(
        parent, save ? QCoreApplication::translate("JobListFileDialog", "Сохранить список как")
                     : QCoreApplication::translate("JobListFileDialog", "Открыть список"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QCoreApplication::translate("JobListFileDialog", "Списки рисунков (*.txt)"),
         QCoreApplication::translate("JobListFileDialog", "Все файлы (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(QDir::home());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace pagula::joblist
