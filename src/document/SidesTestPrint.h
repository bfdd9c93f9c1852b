#pragma once

#include "document/Document.h"

#include <QString>

#include <memory>

namespace pagula::document
{

// "Пробная двусторонняя печать": two sheets whose sides are numbered 1 (front of sheet 1),
// 2 (its back), 3 and 4, each with an arrow to its top edge. Printed once the way two-sided
// printing goes on the user's printer, they show whether the backs come behind the right
// fronts, the right way up; the pages say what to change when they do not. The page pictures
// are written into `folder` as PNG files. Throws pagula::common::Error when they cannot be
// written.
std::shared_ptr<Document> makeSidesTestPrint(const QString& folder);

} // namespace pagula::document
