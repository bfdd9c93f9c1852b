#include "joblist/ui/JobListFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace pagula::joblist
{

QString chooseJobListFile(QWidget* parent, JobListFileChoice choice)
{
    const bool save = choice == JobListFileChoice::Save;
    QFileDialog dialog(parent, save ? QStringLiteral("Сохранить список как")
                                    : QStringLiteral("Открыть список"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Списки рисунков (*.txt)"), QStringLiteral("Все файлы (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(QDir::home());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace pagula::joblist
