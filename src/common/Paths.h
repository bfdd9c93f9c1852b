#pragma once

#include <QString>

namespace pagula::common
{

// The job list file of "Сохранить" and "Загрузить": "joblist.txt" in the application's data
// folder, which belongs to the program, so no file of the user is ever overwritten. The folder
// is created when missing.
QString jobListFilePath();

// The white filler picture "Pagula-tmp.bmp" in the application's data folder. The folder is
// created when missing; documents link to the file, so it outlives the run.
QString fillerPicturePath();

} // namespace pagula::common
