#pragma once

#include <QString>

namespace pagula::docwindow
{

// The LibreOffice program on PATH: "soffice", else "libreoffice"; empty when there is none.
QString libreOfficeProgram();

// A new file for the copy of a document that LibreOffice opens: "Pagula-XXXXXX.odt" in the
// temporary folder. It stays after the call, and after Pagula ends, since LibreOffice works on
// it. Throws pagula::common::Error when no such file can be made.
QString newTemporaryOdt();

// Starts LibreOffice on a file, detached, so that it outlives this program. False when it could
// not be started.
bool startLibreOffice(const QString& program, const QString& file);

} // namespace pagula::docwindow
