#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace pagula::joblist;

// Replays the inputs kept from fuzzing the list file parser and checks what the fuzz target
// checks: every entry is a non-empty line ending in a crop code, and saving then loading gives
// the same entries back.
TEST(JobListRegress, ParserInvariantsHoldOnKeptInputs)
{
    const QDir dir(pagula::test::sourceDir() + QStringLiteral("/tests/regress/fuzz_joblist"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << dir.path().toStdString();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const JobEntries entries = parseJobListText(f.readAll());
        for (const JobEntry& e : entries) {
            EXPECT_FALSE(hasLineBreak(e.path));
            EXPECT_TRUE(e.cropProfile >= 0 && e.cropProfile <= 2);
        }
        EXPECT_EQ(parseJobListText(serializeJobList(entries)), entries);
    }
}
