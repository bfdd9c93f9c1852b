#pragma once

#include <QString>

class QWidget;

namespace pagula::joblist
{

enum class JobListFileChoice { Save, Open };

// Asks the user for a named job list file: where to save the list ("Сохранить список как...")
// or which list to open ("Открыть список..."). Empty when the user cancels. A name saved
// without an extension gets ".txt".
QString chooseJobListFile(QWidget* parent, JobListFileChoice choice);

} // namespace pagula::joblist
