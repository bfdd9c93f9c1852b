#pragma once

#include <QString>

namespace pagula {

// The job list file: "temp.txt" in the user's home folder.
QString jobListFilePath();

// The white filler picture "Pagula-tmp.bmp" in the application's data folder. The folder is
// created when missing; documents link to the file, so it outlives the run.
QString fillerPicturePath();

} // namespace pagula
