#pragma once

#include "app/docwindow/ExportTask.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace pagula::docwindow
{

// Runs an export on a worker thread behind a window-modal progress dialog titled "Pagula"
// that shows "<action>: страница i из n" (or another unit the export counts) and offers
// "Отмена" (the export stops before its next page). Events go on meanwhile, so the parent
// repaints and other windows stay usable. Returns the export's result (cancelled set when the
// user cancelled) or rethrows its error.
document::ExportResult
runWithProgress(QWidget* parent, const QString& action, ExportTask::Work work,
                const QString& unit = QCoreApplication::translate("ExportProgress", "страница"));

} // namespace pagula::docwindow
