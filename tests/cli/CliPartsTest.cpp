#include "cli/FileIdentity.h"
#include "cli/StagedOutputs.h"
#include "cli/TerminalText.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace pagula;
using namespace pagula::cli;

namespace
{

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TerminalText, ControlsAreShownAsEscapesAndLongLinesShortenedInTheMiddle)
{
    const struct {
        QString in;
        int max;
        QString out;
    } cases[] = {
        {QStringLiteral("/scans/лист 1.jpg"), 400, QStringLiteral("/scans/лист 1.jpg")},
        {QStringLiteral("a\x1b]0;title\x07z"), 400, QStringLiteral("a\\e]0;title\\x07z")},
        {QStringLiteral("\x1b[2J\x1b[31m"), 400, QStringLiteral("\\e[2J\\e[31m")},
        {QStringLiteral("a\nb\rc\td\x7f"), 400, QStringLiteral("a\\nb\\rc\\td\\x7f")},
        {QString(QChar(0x9b)) + QStringLiteral("31m"), 400, QStringLiteral("\\x9b31m")},
        {QString(QChar(0x202e)) + QStringLiteral("fdp.exe"), 400, QStringLiteral("\\u202efdp.exe")},
        {QStringLiteral("abcdefghijklmnopqrstuvwxyz"), 13, QStringLiteral("abcde...vwxyz")},
        // A pair of surrogates is never cut in half.
        {QStringLiteral("ab\U0001F600cdefgh\U0001F600ij"), 9, QStringLiteral("ab...ij")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.toStdString());
        EXPECT_EQ(terminalSafe(c.in, c.max), c.out);
    }
    EXPECT_EQ(shownName(QString(1000, QLatin1Char('x'))).size(), 160);
}

TEST(FileIdentity, SameFileWhateverTheNameSays)
{
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    d.mkdir("out");
    writeFile(d.filePath("out/a.pdf"), "a");
    ASSERT_EQ(::symlink("out", QFile::encodeName(d.filePath("link")).constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(d.filePath("out/a.pdf")).constData(),
                     QFile::encodeName(d.filePath("hard.pdf")).constData()),
              0);
    const QString a = d.filePath("out/a.pdf");
    const struct {
        QString other;
        bool same;
    } cases[] = {
        {d.filePath("link/a.pdf"), true},
        {d.filePath("out/../out/./a.pdf"), true},
        {d.filePath("hard.pdf"), true},
        {d.filePath("out/b.pdf"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileIdentity(a) == FileIdentity(c.other), c.same) << c.other.toStdString();
    // Files that do not exist yet compare by their resolved folder.
    EXPECT_EQ(FileIdentity(d.filePath("out/new.pdf")), FileIdentity(d.filePath("link/new.pdf")));
    EXPECT_NE(FileIdentity(d.filePath("out/new.pdf")), FileIdentity(d.filePath("new.pdf")));

    const auto shared =
        findSharedFile({{"OUTPUT", d.filePath("new.pdf")}, {"BACK", d.filePath("link/a.pdf")}},
                       {{"the job list", d.filePath("list.txt")}, {"the picture", a}});
    ASSERT_TRUE(shared);
    EXPECT_TRUE(shared->contains("BACK")) << shared->toStdString();
    EXPECT_TRUE(shared->contains("the picture")) << shared->toStdString();
}

TEST(StagedOutputs, CommitsAllOrRestoresEveryTarget)
{
    QTemporaryDir tmp;
    const QDir d(tmp.path());
    const QString front = d.filePath("front.pdf");
    const QString back = d.filePath("back.pdf");
    writeFile(front, "old front");
    QFile::setPermissions(front, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    {
        StagedOutputs staged;
        writeFile(staged.stage(front), "new front");
        writeFile(staged.stage(back), "new back");
        staged.commit();
    }
    EXPECT_EQ(readAll(front), "new front");
    EXPECT_EQ(readAll(back), "new back");
    EXPECT_EQ(QFile::permissions(front) & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser);

    // The second move fails (a folder with files is in the way): the first target is put back.
    const QString blocked = d.filePath("blocked.pdf");
    d.mkdir("blocked.pdf");
    writeFile(d.filePath("blocked.pdf/x"), "x");
    {
        StagedOutputs staged;
        writeFile(staged.stage(front), "newer front");
        writeFile(staged.stage(blocked), "never");
        EXPECT_THROW(staged.commit(), common::Error);
    }
    EXPECT_EQ(readAll(front), "new front");

    // Not committed: nothing changes, nothing is left.
    {
        StagedOutputs staged;
        writeFile(staged.stage(front), "dropped");
    }
    EXPECT_EQ(readAll(front), "new front");
    EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".pagula")),
              QStringList());
}
