#pragma once

#include <QImage>
#include <QString>

namespace pagula::test {

// Root of the source tree (for fixtures under tests/data and tests/regress).
QString sourceDir();

// Saves a picture for a test and fails the test when that is impossible.
void savePicture(const QImage& image, const QString& path, const char* format = nullptr,
                 int quality = 90);

} // namespace pagula::test
