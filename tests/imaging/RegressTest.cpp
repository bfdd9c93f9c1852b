#include "FuzzBodies.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

// Every input that once crashed or hung a fuzz target, and the hand-made hostile inputs of
// fuzz/imaging/make-hostile-inputs.sh, must keep passing through it cleanly: no crash, no
// exception but ImageError (the sanitizer build catches what a normal build would not).
TEST(FuzzRegressions, EveryInputOnceFoundPassesCleanly)
{
    struct Target {
        const char* name;
        void (*body)(const uint8_t*, size_t);
    };
    const Target targets[] = {
        {"fuzz_pcx", fuzz::pcx},     {"fuzz_jpeg", fuzz::jpeg}, {"fuzz_qtformats", fuzz::qtFormats},
        {"fuzz_probe", fuzz::probe}, {"fuzz_pdf", fuzz::pdf},   {"fuzz_heif", fuzz::heif}};
    for (const Target& t : targets) {
        const QDir dir(test::sourceDir() + QStringLiteral("/tests/regress/") +
                       QString::fromLatin1(t.name));
        const QStringList names = dir.entryList(QDir::Files);
        EXPECT_FALSE(names.isEmpty()) << "nothing to replay in " << dir.path().toStdString();
        for (const QString& name : names) {
            SCOPED_TRACE((QString::fromLatin1(t.name) + QLatin1Char('/') + name).toStdString());
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            t.body(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        }
    }
}

} // namespace
} // namespace pagula::imaging
