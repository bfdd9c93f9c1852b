#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace pagula::test {

QString sourceDir()
{
    const QString fromEnv = qEnvironmentVariable("PAGULA_SOURCE_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(PAGULA_SOURCE_DIR_DEFAULT) : fromEnv;
}

void savePicture(const QImage& image, const QString& path, const char* format, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(image.save(path, format, quality)) << path.toStdString();
}

} // namespace pagula::test
