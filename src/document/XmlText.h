#pragma once

#include <QString>

namespace pagula::document
{

// The link to a picture file as a word processor stores it: an absolute file URI with every
// character that needs it percent-encoded (spaces, '#', '%', '?', quotes, non-ASCII letters,
// control characters), so QUrl(uri).toLocalFile() gives the absolute path back exactly.
QString fileUri(const QString& path);

// Text for an XML 1.0 document: characters XML cannot hold (control characters other than tab,
// line feed and carriage return, unpaired surrogates, U+FFFE and U+FFFF) become U+FFFD.
// Escaping of '&', '<' and quotes is left to QXmlStreamWriter.
QString xmlSafe(const QString& text);

} // namespace pagula::document
