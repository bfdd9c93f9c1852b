#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace pagula::test {

// Root of the source tree (for fixtures under tests/data and tests/regress).
QString sourceDir();

// Saves a picture for a test and fails the test when that is impossible.
void savePicture(const QImage& image, const QString& path, const char* format = nullptr,
                 int quality = 90);

} // namespace pagula::test

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << ']';
}
