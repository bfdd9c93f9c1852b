#pragma once

#include <QPointF>

class QSettings;

namespace pagula::app
{

// The printer offset of the back side (mm, X right and Y down as the back page is seen), kept
// between runs. It starts at 0, 0; a stored value that is no number or lies beyond
// compose::MaxBackOffsetMm is taken as limited, so a damaged settings file cannot push the
// back side off the sheet.
QPointF limitedBackOffset(QPointF offsetMm);
QPointF loadBackOffset(QSettings& store);
void saveBackOffset(QSettings& store, QPointF offsetMm);

// The same through the program's own settings file (Pagula/Pagula.conf in the user's settings
// folder). What is not a regular file of at most 64 KiB there is ignored with a note on the
// terminal, unread: loading then gives 0, 0, and storing replaces a file that is only too
// large and leaves anything else.
QPointF storedBackOffset();
void storeBackOffset(QPointF offsetMm);

} // namespace pagula::app
