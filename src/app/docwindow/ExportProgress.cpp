#include "app/docwindow/ExportProgress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace pagula::docwindow
{

namespace
{
constexpr int PollMilliseconds = 30;
constexpr int ShowAfterMilliseconds = 300; // a quick export flashes no dialog
} // namespace

document::ExportResult runWithProgress(QWidget* parent, const QString& action,
                                       ExportTask::Work work, const QString& unit)
{
    ExportTask task(std::move(work)); // outlives the dialog that can cancel it
    QProgressDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("exportProgress"));
    dialog.setWindowTitle(QStringLiteral("Pagula"));
    dialog.setLabelText(action + QStringLiteral("..."));
    dialog.setCancelButtonText(QCoreApplication::translate("ExportProgress", "Отмена"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ShowAfterMilliseconds);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setRange(0, 0);

    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        task.cancel();
        dialog.setLabelText(QCoreApplication::translate("ExportProgress", "Отмена..."));
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(PollMilliseconds);
    int shownPage = -1;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (task.isFinished()) {
            loop.quit();
            return;
        }
        const int page = task.page();
        const int count = task.pageCount();
        if (count > 0 && page != shownPage && !task.isCancelRequested()) {
            shownPage = page;
            dialog.setLabelText(QCoreApplication::translate("ExportProgress", "%1: %2 %3 из %4")
                                    .arg(action, unit)
                                    .arg(page)
                                    .arg(count));
            dialog.setMaximum(count);
            dialog.setValue(page - 1);
        }
    });
    poll.start();
    loop.exec();
    poll.stop();
    dialog.hide();
    return task.result();
}

} // namespace pagula::docwindow
