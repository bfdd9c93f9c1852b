// Replays the fuzz target's seeds and every input it ever failed on (tests/regress), and a few
// names of our own, through the same check.
#include "document/DocumentWritersCheck.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using pagula::document::fuzz::checkDocumentWriters;

namespace
{

TEST(DocumentWritersFuzzInputs, SeedsAndRegressionsHold)
{
    int replayed = 0;
    for (const char* folder :
         {"/fuzz/seeds/fuzz_document_writers", "/tests/regress/fuzz_document_writers"}) {
        const QDir dir(pagula::test::sourceDir() + QLatin1String(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            EXPECT_EQ(checkDocumentWriters(f.readAll()), QString()) << name.toStdString();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 7);
}

TEST(DocumentWritersFuzzInputs, NamesNoFileCanHaveAreRefusedAndTheRestLinked)
{
    const QByteArray settings("\xfc\x10\xf0\x80\x80", 5);
    for (const QByteArray& name :
         {QByteArray(), QByteArray("a\0b", 3), QByteArray("\x7f\x80\xff"), QByteArray(".."),
          QByteArray("./"), QByteArray("~/x"), QByteArray("C:\\x\\y.jpg"),
          QByteArray("file:///etc/passwd"), QByteArray(300, '%'), QByteArray("\xed\xa0\x80")})
        EXPECT_EQ(checkDocumentWriters(settings + name), QString()) << name.toHex().toStdString();
}

} // namespace
