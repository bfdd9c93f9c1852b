#include "joblist/JobListFile.h"
#include "common/Error.h"
#include "common/PictureAddress.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListTestUtil.h"

#include "support/TestSupport.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pagula::joblist;
using pagula::joblist::test::entriesOf;
using pagula::joblist::test::textsOf;
using pagula::test::errorOf;

namespace
{

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A device that takes a few bytes and then fails, as a full disk does.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        if (written_ >= capacity_)
            return -1;
        const qint64 n = std::min(len, capacity_ - written_);
        written_ += n;
        return n;
    }

private:
    qint64 capacity_;
    qint64 written_ = 0;
};

} // namespace

// Hand-edited and hostile contents: what loading makes of them.
TEST(JobListFile, ParsesLinesLeniently)
{
    const QString longPath = QStringLiteral("/") + QString(5000, QLatin1Char('x'));
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList expected;
    } cases[] = {
        {"empty file", "", {}},
        {"CR LF", "/a.jpg0\r\n/b.jpg1\r\n", {"/a.jpg0", "/b.jpg1"}},
        {"last line without line end", "/a.jpg0\r\n/b.jpg2", {"/a.jpg0", "/b.jpg2"}},
        {"lone LF", "/a.jpg0\n/b.jpg1\n", {"/a.jpg0", "/b.jpg1"}},
        {"lone CR", "/a.jpg0\r/b.jpg1\r", {"/a.jpg0", "/b.jpg1"}},
        {"LF CR is two line ends", "/a0\n\r/b0", {"/a0", "/b0"}},
        {"empty lines skipped", "\r\n\r\n/a.jpg0\r\n\n\r/b.jpg0\r\n\r\n", {"/a.jpg0", "/b.jpg0"}},
        {"no crop code gets 0",
         "/a.jpg\r\n/b.jpg3\r\n/c.jpgx",
         {"/a.jpg0", "/b.jpg30", "/c.jpgx0"}},
        {"a lone code is an entry", "1\r\n", {"1"}},
        {"NUL ends the text",
         QByteArray("/a.jpg0\r\n/b.j\0pg0\r\n/c.jpg0", 26),
         {"/a.jpg0", "/b.j0"}},
        {"NUL at the start", QByteArray("\0/a.jpg0", 8), {}},
        {"BOM dropped", "\xEF\xBB\xBF/a.jpg0\r\n", {"/a.jpg0"}},
        {"BOM only", "\xEF\xBB\xBF", {}},
        {"BOM later is kept", "/a0\r\n\xEF\xBB\xBF/b0", {"/a0", QStringLiteral("\uFEFF/b0")}},
        {"UTF-8 names", "/сканы/лист 1.jpg1\r\n", {QStringLiteral("/сканы/лист 1.jpg1")}},
        {"invalid UTF-8 becomes U+FFFD",
         "/a\xFF\xFE.jpg0\r\n/b\xC3.jpg",
         {QStringLiteral("/a\uFFFD\uFFFD.jpg0"), QStringLiteral("/b\uFFFD.jpg0")}},
        {"'#', '%' and spaces",
         "/my scans/#1 100%.jpg0\r\n  \r\n",
         {"/my scans/#1 100%.jpg0", "  0"}},
        {"binary bytes",
         "\x01\x02\x7f\x1b[0m\r\n\x80\x81",
         {QStringLiteral("\u0001\u0002\u007f\u001b[0m0"), QStringLiteral("\uFFFD\uFFFD0")}},
        {"very long line",
         (longPath + QStringLiteral("1")).toUtf8(),
         {longPath + QStringLiteral("1")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textsOf(parseJobListText(c.bytes)), c.expected);
    }
}

TEST(JobListFile, ANulByteWithEntriesAfterItIsRefusedNotDropped)
{
    const struct {
        const char* name;
        QByteArray bytes;
        int cutLine;
    } cases[] = {
        {"no NUL", "/a0\r\n/b0\r\n", 0},
        {"NUL padding at the end", QByteArray("/a0\r\n\0\0\0\r\n \t", 12), 0},
        {"NUL only", QByteArray("\0\0", 2), 0},
        {"NUL before the next entry", QByteArray("/a0\r\n\0/b0\r\n", 11), 2},
        {"NUL inside the first entry", QByteArray("/a\0.jpg0\r\n", 10), 1},
        {"NUL after three lines, LF only", QByteArray("/a0\n\n/b0\n/c\0x", 13), 4},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lineCutByNul(c.bytes), c.cutLine);
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        if (c.cutLine == 0) {
            EXPECT_EQ(loadJobListFile(path), parseJobListText(c.bytes));
        } else {
            EXPECT_EQ(errorOf([&] { loadJobListFile(path); }),
                      QStringLiteral("Cannot open file %1: line %2 holds a NUL byte, which would "
                                     "cut the list there")
                          .arg(path)
                          .arg(c.cutLine));
        }
    }
}

TEST(JobListFile, ParsesManyLinesAndStopsPastTheEntryLimit)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes.append("/scans/page")
            .append(QByteArray::number(i))
            .append(".jpg")
            .append(char('0' + i % 3))
            .append("\r\n");
    const QStringList entries = textsOf(parseJobListText(bytes));
    ASSERT_EQ(entries.size(), 100000);
    EXPECT_EQ(entries.front(), QStringLiteral("/scans/page0.jpg0"));
    EXPECT_EQ(entries.back(), QStringLiteral("/scans/page99999.jpg0"));
    EXPECT_EQ(parseJobListText(bytes, 10).size(), 11);
}

TEST(JobListFile, SaveAndLoadRoundTrip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("temp.txt"));
    const struct {
        const char* name;
        QStringList entries;
        QByteArray bytes;
    } cases[] = {
        {"empty list gives an empty file", {}, ""},
        {"entries with CR LF",
         {"/a.jpg0", "/b b.jpg1", JobEntry::blank().text()},
         "/a.jpg0\r\n/b b.jpg1\r\n" + BlankMarker.toUtf8() + "0\r\n"},
        {"odd names",
         {QStringLiteral("/%20/#/лист.jpg2"), QStringLiteral("/a\uFFFD.jpg0")},
         "/%20/#/\xD0\xBB\xD0\xB8\xD1\x81\xD1\x82.jpg2\r\n/a\xEF\xBF\xBD.jpg0\r\n"},
        {"first entry starting with U+FEFF",
         {QStringLiteral("\uFEFF/a.jpg0")},
         "\xEF\xBB\xBF\xEF\xBB\xBF/a.jpg0\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saveJobListFile(path, entriesOf(c.entries));
        EXPECT_EQ(readBytes(path), c.bytes);
        EXPECT_EQ(loadJobListFile(path), entriesOf(c.entries));
    }
}

// Pages of a PDF are lines of their own; every line that is not exactly a page line reads as
// the picture path it always was, whatever it holds.
TEST(JobListFile, PageLinesRoundTripAndLookalikesStayPaths)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pages.txt"));
    const struct {
        QString line;
        QString file;
        int page;
    } cases[] = {
        {"<page 1>/lectures/notes.pdf0", "/lectures/notes.pdf", 1},
        {"<page 12>/lectures/notes.pdf1", "/lectures/notes.pdf", 12},
        {"<page 3>/odd/<page 4>name.pdf0", "/odd/<page 4>name.pdf", 3},
        {"/scans/<page 3>a.jpg0", "/scans/<page 3>a.jpg", 0},
        {"./<page 3>a.jpg0", "./<page 3>a.jpg", 0},
        {"<page 0>/a.pdf0", "<page 0>/a.pdf", 0},
        {"<page 03>/a.pdf0", "<page 03>/a.pdf", 0},
        {"<page 1000000>/a.pdf0", "<page 1000000>/a.pdf", 0},
        {"<page 999999>a.pdf2", "a.pdf", 999999},
        {"<page 3>0", "<page 3>", 0},
    };
    QByteArray bytes;
    QStringList lines;
    for (const auto& c : cases) {
        bytes += c.line.toUtf8() + "\r\n";
        lines << c.line;
    }
    writeBytes(path, bytes);
    const JobEntries loaded = loadJobListFile(path);
    ASSERT_EQ(textsOf(loaded), lines);
    for (qsizetype i = 0; i < loaded.size(); ++i) {
        SCOPED_TRACE(cases[i].line.toStdString());
        const auto address = pagula::common::PictureAddress::fromText(loaded[i].path);
        EXPECT_EQ(address.file, cases[i].file);
        EXPECT_EQ(address.page, cases[i].page);
        EXPECT_EQ(address.text(), loaded[i].path);
    }
    saveJobListFile(path, loaded);
    EXPECT_EQ(readBytes(path), bytes);
}

TEST(JobListFile, ReportsFilesThatCannotBeOpenedOrCreated)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_EQ(errorOf([&] { loadJobListFile(missing); }),
              QStringLiteral("Cannot open file ") + missing + ": No such file or directory");

    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(errorOf([&] { loadJobListFile(folder); }),
              QStringLiteral("Cannot open file ") + folder + ": it is a folder");
    // The save names the file and gives the system's reason after it.
    const QString folderSave = errorOf([&] { saveJobListFile(folder, entriesOf({"/a0"})); });
    EXPECT_TRUE(folderSave.startsWith(QStringLiteral("Cannot create file ") + folder + ": "))
        << folderSave.toStdString();
    EXPECT_GT(folderSave.size(), QStringLiteral("Cannot create file ").size() + folder.size() + 3);

    // A FIFO in the file's place must give an error at once, not wait for a writer.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(errorOf([&] { loadJobListFile(fifo); }),
              QStringLiteral("Cannot open file ") + fifo + ": it is a pipe or socket, not a file");

    EXPECT_EQ(errorOf([&] { loadJobListFile(QStringLiteral("/dev/zero")); }),
              QStringLiteral("Cannot open file /dev/zero: it is a device, not a file"));

    const QString noFolder = dir.filePath(QStringLiteral("no/such/temp.txt"));
    EXPECT_TRUE(errorOf([&] {
                    saveJobListFile(noFolder, entriesOf({"/a0"}));
                }).startsWith(QStringLiteral("Cannot create file ") + noFolder + ": "));
}

TEST(JobListFile, RefusesFilesOverTheLimits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A sparse file just over the size limit: refused before anything is read.
    const QString huge = dir.filePath(QStringLiteral("huge.txt"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(MaxJobListFileBytes + 1));
    }
    EXPECT_EQ(errorOf([&] { loadJobListFile(huge); }),
              QStringLiteral("Cannot open file ") + huge +
                  QStringLiteral(": it is larger than 64 MiB"));

    const QString many = dir.filePath(QStringLiteral("many.txt"));
    writeBytes(many, QByteArray("0\n").repeated(MaxJobListEntries + 1));
    EXPECT_EQ(errorOf([&] { loadJobListFile(many); }),
              QStringLiteral("Cannot open file ") + many +
                  QStringLiteral(": it holds more than 1000000 entries"));
    writeBytes(many, QByteArray("0\n").repeated(MaxJobListEntries));
    EXPECT_EQ(loadJobListFile(many).size(), MaxJobListEntries);

    // A line no path could fill is refused as it arrives, whatever follows; line ends are
    // counted as the entries are.
    const QString longLine = dir.filePath(QStringLiteral("long.txt"));
    writeBytes(longLine, "/a0\r\n/b0\n" + QByteArray(MaxJobListLineBytes + 1, 'x') +
                             QByteArray(8 * 1024 * 1024, 'y'));
    EXPECT_EQ(errorOf([&] { loadJobListFile(longLine); }),
              QStringLiteral("Cannot open file %1: line 3 is longer than 4096 bytes, longer than "
                             "any file name")
                  .arg(longLine));
    writeBytes(longLine, "/a0\r\n/b0\n" + QByteArray(MaxJobListLineBytes, 'x'));
    EXPECT_EQ(loadJobListFile(longLine).size(), 3);
}

TEST(JobListFile, FailedWritesReportFailure)
{
    FailingDevice device(10);
    EXPECT_FALSE(writeJobList(device, entriesOf({"/scans/a.jpg0", "/scans/b.jpg0"})));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeJobList(buffer, entriesOf({"/a0"})));
    EXPECT_EQ(buffer.data(), QByteArray("/a0\r\n"));
}

// A save that runs out of room half way (the file size limit gives EFBIG, even as root) must
// leave the previous file byte for byte and no temporary file behind.
TEST(JobListFile, SaveFailingHalfWayKeepsThePreviousFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("temp.txt"));
    saveJobListFile(path, entriesOf({"/old/a.jpg0", "/old/b.jpg1"}));
    const QByteArray before = readBytes(path);

    JobEntries big;
    for (int i = 0; i < 20000; ++i)
        big.append(JobEntry{QStringLiteral("/new/picture%1.jpg").arg(i), 0});

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int code = 1;
        try {
            saveJobListFile(path, big);
        } catch (const pagula::common::Error& e) {
            code =
                e.message().startsWith(QStringLiteral("Cannot create file ") + path + ": ") ? 0 : 2;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error reported, 2: wrong message";
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("temp.txt")});
}
