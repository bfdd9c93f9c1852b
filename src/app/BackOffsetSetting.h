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

// The same through the program's own settings.
QPointF storedBackOffset();
void storeBackOffset(QPointF offsetMm);

} // namespace pagula::app
