#pragma once

#include <QString>

namespace pagula::document
{

// The link to a picture file as a word processor stores it: a file URI of the absolute, clean
// path with every character that needs it percent-encoded (spaces, '#', '%', '?', quotes,
// non-ASCII letters, control characters), so QUrl(uri).toLocalFile() gives that path back
// exactly. Throws pagula::common::Error for an empty path or one holding a NUL, which no file can
// have.
QString fileUri(const QString& path);

// Text for an XML 1.0 document: characters XML cannot hold (control characters other than tab,
// line feed and carriage return, unpaired surrogates, U+FFFE and U+FFFF) become U+FFFD.
// Escaping of '&', '<' and quotes is left to QXmlStreamWriter.
QString xmlSafe(const QString& text);

} // namespace pagula::document
