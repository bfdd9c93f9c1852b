#pragma once

#include "common/Error.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace pagula::test
{

// Root of the source tree (for fixtures under tests/data and tests/regress).
QString sourceDir();

// Saves a picture for a test and fails the test when that is impossible.
void savePicture(const QImage& image, const QString& path, const char* format = nullptr,
                 int quality = 90);

// Writes a colour JPEG of one flat colour, row by row, so that pictures far larger than the
// decoding limits are made quickly and without holding them in memory.
void writeFlatJpeg(const QString& path, QSize size, QRgb colour);

// What errorOf gives when the action throws nothing.
inline const QString kNoError = QStringLiteral("(no error)");

// The message of the error of type E that the action throws, or kNoError.
template <class E = common::Error> QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.message();
    }
    return kNoError;
}

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
