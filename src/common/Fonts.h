#pragma once

#include <QFont>
#include <QString>

namespace pagula::common
{

// The window descriptions name Windows fonts ("MS Sans Serif", "Arial", "Arial Cyr"). They are
// mapped onto the sans-serif fonts that the set-up installs (Liberation Sans, metric-compatible
// with Arial, then DejaVu Sans), so code can keep using the names it was described with.
void installFontSubstitutions();

// A font of the given family at a size in pixels (the descriptions give pixel heights).
QFont pixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

} // namespace pagula::common
