#pragma once

#include <QByteArray>
#include <QString>

namespace pagula::document::fuzz
{

// What must hold for any picture file name and picture settings made from the input bytes:
// every XML part of the ODT and DOCX parses again, and every link gives the picture file's
// absolute, clean path back exactly through QUrl. The first bytes choose the colour type, the
// border edges, a line or page break, brightness, contrast and crop; the rest is the file name
// as the file system would hand it over. Returns an empty string when everything holds, else
// what failed.
QString checkDocumentWriters(const QByteArray& input);

} // namespace pagula::document::fuzz
