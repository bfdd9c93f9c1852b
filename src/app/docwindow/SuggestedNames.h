#pragma once

#include "document/Document.h"

#include <QString>

namespace pagula::docwindow
{

// Where a document's pictures come from: the folder of its first picture that lies outside
// `programFolder` (the program's own data folder, which holds the white filler of the blank
// cells and strips and the pictures of the calibration sheet). Empty when there is none.
QString pictureFolder(const document::Document& document, const QString& programFolder);

// The name a file of the document is offered under, without suffix: the pictures' folder's
// name, then " - " and the label when there is one ("Билеты - лицевая сторона"); without a
// pictures' folder "Pagula" stands for it.
QString suggestedBaseName(const QString& pictureFolder, const QString& label);

} // namespace pagula::docwindow
