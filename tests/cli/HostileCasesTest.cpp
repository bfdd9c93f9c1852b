// The batch command against hostile arguments, job lists and pictures: each case gives its exit
// status and message, and leaves every file that was there before byte for byte as it was.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// What a file must be after the run.
enum class After { Same, Absent, Pdf };

struct Case {
    const char* name;
    // Makes extra files in the folder before the run.
    std::function<void(const QDir&)> setUp;
    // Arguments; "@" stands for the folder. Run through bash when `shell` is set, so that the
    // arguments may hold bytes that are not UTF-8.
    QStringList args;
    int exitCode;
    QString message;
    std::map<QString, After> files;
    bool shell;
    QString home; // HOME below the folder, "" for a writable one

    Case(const char* n, std::function<void(const QDir&)> s, QStringList a, int code, QString m,
         std::map<QString, After> f, bool sh = false, QString h = {})
        : name(n), setUp(std::move(s)), args(std::move(a)), exitCode(code), message(std::move(m)),
          files(std::move(f)), shell(sh), home(std::move(h))
    {
    }
};

QByteArray jpegBytes(const QString& scratch)
{
    QImage img(40, 60, QImage::Format_RGB32);
    img.fill(QColor(30, 120, 200));
    pagula::test::savePicture(img, scratch, "JPG");
    const QByteArray bytes = readAll(scratch);
    QFile::remove(scratch);
    return bytes;
}

// A PNG whose header is sound and whose pixel data is not: it probes, but never decodes.
QByteArray brokenPng(const QString& scratch)
{
    QImage img(40, 60, QImage::Format_RGB32);
    img.fill(Qt::red);
    pagula::test::savePicture(img, scratch, "PNG");
    QByteArray bytes = readAll(scratch);
    QFile::remove(scratch);
    const qsizetype idat = bytes.indexOf("IDAT");
    for (qsizetype k = idat + 4; k < idat + 40 && k < bytes.size(); ++k)
        bytes[k] = char(0x5A);
    return bytes;
}

// A colour (three-component) baseline JPEG of side x side pixels whose entropy data stops early
// (it decodes with the rest grey): large in pixels, small on disk.
QByteArray flatColourJpeg(int side)
{
    QByteArray b("\xFF\xD8", 2);
    auto segment = [&](char marker, const QByteArray& body) {
        b.append('\xFF').append(marker);
        b.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
        b.append(body);
    };
    segment('\xDB', QByteArray(1, '\0') + QByteArray(64, '\1'));
    QByteArray frame("\x08", 1);
    frame.append(char(side >> 8)).append(char(side & 0xFF));
    frame.append(char(side >> 8)).append(char(side & 0xFF));
    frame.append(QByteArray("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10));
    segment('\xC0', frame);
    // One code each, "0": DC difference 0 and end of block.
    const QByteArray oneCode = QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0');
    segment('\xC4', QByteArray(1, '\x00') + oneCode);
    segment('\xC4', QByteArray(1, '\x10') + oneCode);
    segment('\xDA', QByteArray("\x03\x01\x00\x02\x00\x03\x00\x00\x3F\x00", 10));
    const qint64 blocks = qint64(side / 8) * (side / 8) * 3;
    b.append(QByteArray(blocks / 400, '\0')); // 2 bits a block, for a share of the blocks
    b.append("\xFF\xD9", 2);
    return b;
}

struct Result {
    int exitCode;
    QByteArray err;
};

Result run(const QDir& dir, const Case& c)
{
    QStringList args;
    for (const QString& a : c.args)
        args << QString(a).replace(QLatin1Char('@'), dir.path());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home =
        c.home.isEmpty() ? dir.filePath(QStringLiteral("home")) : dir.filePath(c.home);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/share"));
    // English messages, the system's reasons in English too.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir.path());
    if (c.shell) {
        p.start(QStringLiteral("bash"),
                {QStringLiteral("-c"),
                 QStringLiteral("exec '%1' %2")
                     .arg(QStringLiteral(PAGULA_COMPOSE_BINARY), args.join(QLatin1Char(' ')))});
    } else {
        p.start(QStringLiteral(PAGULA_COMPOSE_BINARY), args);
    }
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

} // namespace

TEST(HostileCases, ExitWithTheReasonAndKeepEveryFile)
{
    const QString previous = QStringLiteral("previous");
    // Files made before the run, beside photo.pdf (a JPEG), broken.png, list.txt (photo.pdf),
    // list.odt (a copy of list.txt), broken.txt (broken.png), out.pdf and out-back.pdf.
    const auto path = [](const QDir& d, const char* name) {
        return QFile::encodeName(d.filePath(name));
    };
    const auto symlinkedFolder = [&](const QDir& d) {
        d.mkdir("out");
        writeFile(d.filePath("out/front.pdf"), "previous");
        ::symlink("out", path(d, "link").constData());
    };
    const auto listAsPdf = [](const QDir& d) {
        QFile::copy(d.filePath("list.txt"), d.filePath("list.pdf"));
    };
    const auto hardLink = [&](const QDir& d) {
        ::link(path(d, "photo.pdf").constData(), path(d, "hard.pdf").constData());
    };
    const auto list = [](const QDir& d, const char* name, const QByteArray& bytes) {
        writeFile(d.filePath(name), bytes);
    };
    const auto entry = [](const QDir& d, const QString& name) {
        return (d.filePath(name) + "0\r\n").toUtf8();
    };
    const auto bigJpeg = [&](const QDir& d) {
        writeFile(d.filePath("big.jpg"), flatColourJpeg(20000));
        list(d, "big.txt", entry(d, "big.jpg"));
    };
    const auto plainFile = [](const QDir& d) { writeFile(d.filePath("plain"), "not a folder"); };
    using A = After;

    // clang-format off
    const std::vector<Case> cases = {
        // 1. --back reaching OUTPUT through a symlinked folder
        {"back through a symlinked folder", symlinkedFolder,
         {"--two-sided", "--back", "link/front.pdf", "list.txt", "out/front.pdf"}, 2,
         "the back side (--back) link/front.pdf is the same file as OUTPUT", {{"out/front.pdf", A::Same}}},
        // 2. an output that is an input, found by identity
        {"output is a picture", {}, {"list.txt", "photo.pdf"}, 2,
         "is the same file as the picture", {{"photo.pdf", A::Same}}},
        {"output is the job list", listAsPdf, {"list.pdf", "list.pdf"}, 2,
         "is the same file as the job list", {{"list.pdf", A::Same}}},
        {"back side is the job list", {}, {"--two-sided", "--back", "list.odt", "list.odt", "out.pdf"}, 2,
         "is the same file as the job list", {{"out.pdf", A::Same}}},
        {"output is a hard link to a picture", hardLink, {"list.txt", "hard.pdf"}, 2,
         "is the same file as the picture", {{"hard.pdf", A::Same}}},
        // 3. all outputs or none
        {"back side fails", {}, {"--two-sided", "--back", "no-folder/back.pdf", "list.txt", "out.pdf"}, 1,
         "no output file was changed", {{"out.pdf", A::Same}, {"out-back.pdf", A::Same}}},
        {"front side fails", {}, {"--two-sided", "--back", "new-back.pdf", "list.txt", "no-folder/out.pdf"}, 1,
         "no output file was changed", {{"new-back.pdf", A::Absent}}},
        // 4. empty lists and NUL bytes
        {"empty job list", [&](const QDir& d) { list(d, "empty.txt", ""); }, {"empty.txt", "out.pdf"}, 1,
         "the job list holds no pictures", {{"out.pdf", A::Same}}},
        {"blank lines and NUL bytes", [&](const QDir& d) { list(d, "blank.txt", QByteArray("\r\n\n\0\0\r\n", 7)); },
         {"blank.txt", "out.pdf"}, 1, "the job list holds no pictures", {{"out.pdf", A::Same}}},
        {"NUL byte cuts the list",
         [&](const QDir& d) { list(d, "cut.txt", entry(d, "photo.pdf") + QByteArray(1, '\0') + entry(d, "photo.pdf")); },
         {"cut.txt", "out.pdf"}, 1, "line 2 holds a NUL byte", {{"out.pdf", A::Same}}},
        // 5. names that are not UTF-8
        {"output name that is not UTF-8", {}, {"list.txt", "$'out\\xff\\xfe.pdf'"}, 2,
         "out\\xff\\xfe.pdf", {{"out.pdf", A::Same}}, true},
        // 6. escape sequences from the job list
        {"escape sequences in a listed name",
         [&](const QDir& d) { list(d, "esc.txt", (d.filePath("x") + "\x1b]0;owned\x07\x1b[2J.jpg0\r\n").toUtf8()); },
         {"esc.txt", "out.pdf"}, 1, "x\\e]0;owned\\x07\\e[2J.jpg", {{"out.pdf", A::Same}}},
        // 7. settings that cannot make a page; options without effect
        {"margin wider than the page", {}, {"--margin-left", "300", "list.txt", "out.pdf"}, 2,
         "--margin-left 300 leaves no room for the cells; allowed 0 to 199 mm", {{"out.pdf", A::Same}}},
        {"cell width zero", {}, {"--cell-width", "0", "list.txt", "out.pdf"}, 2,
         "--cell-width 0", {{"out.pdf", A::Same}}},
        {"strip wider than the cell", {}, {"-c", "15", "-r", "15", "--gutter", "30", "list.txt", "out.pdf"}, 2,
         "--gutter 30 leaves no room for the picture", {{"out.pdf", A::Same}}},
        {"negative margin", {}, {"--margin-left", "-50", "list.txt", "out.pdf"}, 2,
         "--margin-left -50 puts the cells off the page", {{"out.pdf", A::Same}}},
        {"crop that leaves nothing", {}, {"--crop1", "100,0,0,0", "list.txt", "out.pdf"}, 2,
         "--crop1 cuts off the whole width", {{"out.pdf", A::Same}}},
        {"wrong output extension", {}, {"list.txt", "out.xyz"}, 2,
         "extension must be .pdf, .odt or .docx", {{"out.xyz", A::Absent}}},
        {"back without two-sided", {}, {"--back", "b.pdf", "list.txt", "out.pdf"}, 0,
         "warning: --back has no effect without --two-sided", {{"out.pdf", A::Pdf}, {"b.pdf", A::Absent}}},
        {"back offset without two-sided", {}, {"--back-offset", "2,0", "list.txt", "out.pdf"}, 0,
         "warning: --back-offset has no effect without --two-sided", {{"out.pdf", A::Pdf}}},
        {"embed with PDF output", {}, {"--embed", "list.txt", "out.pdf"}, 0,
         "warning: --embed has no effect on a PDF", {{"out.pdf", A::Pdf}}},
        // 8. reasons
        {"job list is a folder", [](const QDir& d) { d.mkdir("folder"); }, {"folder", "out.pdf"}, 1,
         "folder: it is a folder", {{"out.pdf", A::Same}}},
        {"job list is a FIFO", [&](const QDir& d) { ::mkfifo(path(d, "fifo").constData(), 0600); },
         {"fifo", "out.pdf"}, 1, "it is a pipe or socket", {{"out.pdf", A::Same}}},
        {"job list is missing", {}, {"missing.txt", "out.pdf"}, 1,
         "missing.txt: No such file or directory", {{"out.pdf", A::Same}}},
        {"job list is a symlink loop", [&](const QDir& d) { ::symlink("loop", path(d, "loop").constData()); },
         {"loop", "out.pdf"}, 1, "Too many levels of symbolic links", {{"out.pdf", A::Same}}},
        // 9. the same pictures refused whatever the format
        {"broken picture embedded in a DOCX", {}, {"--embed", "broken.txt", "out.docx"}, 1,
         "broken.png", {{"out.docx", A::Absent}}},
        {"broken picture linked from an ODT", {}, {"broken.txt", "out.odt"}, 1,
         "broken.png", {{"out.odt", A::Absent}}},
        {"broken picture in a PDF", {}, {"broken.txt", "out.pdf"}, 1,
         "broken.png", {{"out.pdf", A::Same}}},
        // 10. the filler picture only where a linked document needs it
        {"unwritable home, PDF", plainFile, {"list.txt", "fresh.pdf"}, 0,
         "", {{"fresh.pdf", A::Pdf}}, false, "plain/home"},
        {"unwritable home, linked ODT", plainFile, {"list.txt", "fresh.odt"}, 1,
         "Pagula-tmp.bmp", {{"fresh.odt", A::Absent}}, false, "plain/home"},
        // 12. a resolution that a JPEG this large allows
        {"JPEG too large at 1200 dpi", bigJpeg, {"-c", "1", "-r", "1", "--color", "auto", "--dpi", "1200", "big.txt", "out.pdf"}, 1,
         "is too large (20000 x 20000 pixels) (too large for 1200 dpi; try --dpi 600)", {{"out.pdf", A::Same}}},
        {"the same JPEG at 600 dpi", bigJpeg, {"-q", "-c", "1", "-r", "1", "--color", "auto", "--dpi", "600", "big.txt", "out.pdf"}, 0,
         "", {{"out.pdf", A::Pdf}}},
    };
    // clang-format on

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QDir dir(tmp.path());
        writeFile(dir.filePath("photo.pdf"), jpegBytes(dir.filePath("scratch.jpg")));
        writeFile(dir.filePath("broken.png"), brokenPng(dir.filePath("scratch.png")));
        writeFile(dir.filePath("list.txt"), (dir.filePath("photo.pdf") + "0\r\n").toUtf8());
        writeFile(dir.filePath("list.odt"), readAll(dir.filePath("list.txt")));
        writeFile(dir.filePath("broken.txt"), (dir.filePath("broken.png") + "0\r\n").toUtf8());
        writeFile(dir.filePath("out.pdf"), previous.toUtf8());
        writeFile(dir.filePath("out-back.pdf"), "old back");
        if (c.setUp)
            c.setUp(dir);

        // Every file present before, with its bytes.
        std::map<QString, QByteArray> before;
        const auto entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo& f : entries)
            before[f.fileName()] = readAll(f.filePath());
        for (const auto& [name, after] : c.files)
            if (after == After::Same)
                before[name] = readAll(dir.filePath(name));

        const Result r = run(dir, c);
        const QString err = QString::fromUtf8(r.err);
        EXPECT_EQ(r.exitCode, c.exitCode) << err.toStdString();
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
        // Nothing from outside reaches the terminal raw.
        EXPECT_FALSE(r.err.contains('\x1b')) << err.toStdString();

        for (const auto& [name, bytes] : before) {
            const auto it = c.files.find(name);
            if (it != c.files.end() && it->second != After::Same)
                continue;
            EXPECT_EQ(readAll(dir.filePath(name)), bytes) << name.toStdString();
        }
        for (const auto& [name, after] : c.files) {
            const QByteArray bytes = readAll(dir.filePath(name));
            switch (after) {
            case After::Same:
                break;
            case After::Absent:
                EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
                break;
            case After::Pdf:
                EXPECT_TRUE(bytes.startsWith("%PDF-")) << name.toStdString();
                break;
            }
        }
        // No staged or temporary file is left in the folder.
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
    }
}

namespace
{

// An 8-bit greyscale PCX of one shade, run-length coded.
QByteArray uniformPcx(int width, int height)
{
    QByteArray b(128, '\0');
    auto put16 = [&](int at, int v) {
        b[at] = char(v & 0xFF);
        b[at + 1] = char((v >> 8) & 0xFF);
    };
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    put16(8, width - 1);
    put16(10, height - 1);
    put16(12, 300);
    put16(14, 300);
    b[65] = 1;
    put16(66, width);
    put16(68, 1);
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 63) {
            b.append(char(0xC0 | std::min(left, 63)));
            b.append(char(0x80));
        }
    }
    b.append(char(0x0C));
    for (int k = 0; k < 256; ++k)
        b.append(QByteArray(3, char(k)));
    return b;
}

} // namespace

TEST(HostileCases, TerminatedWhileConvertingLeavesNoTemporaryFilesAndNoOutput)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QDir dir(tmp.path());
    dir.mkdir("tmp");
    const QByteArray pcx = uniformPcx(3000, 3000);
    QByteArray list;
    for (int k = 0; k < 40; ++k) {
        const QString name = dir.filePath(QStringLiteral("scan%1.pcx").arg(k));
        writeFile(name, pcx);
        list += (name + "0\r\n").toUtf8();
    }
    writeFile(dir.filePath("list.txt"), list);

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_DATA_HOME", dir.filePath("home/share"));
    env.insert("TMPDIR", dir.filePath("tmp"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(PAGULA_COMPOSE_BINARY),
            {"--embed", dir.filePath("list.txt"), dir.filePath("out.docx")});
    ASSERT_TRUE(p.waitForStarted());
    // Wait until the writing has begun, then ask the command to end.
    QByteArray seen;
    while (!seen.contains("Writing") && p.state() == QProcess::Running) {
        p.waitForReadyRead(100);
        seen += p.readAll();
    }
    ::kill(pid_t(p.processId()), SIGTERM);
    ASSERT_TRUE(p.waitForFinished(120000));
    seen += p.readAll();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 3) << seen.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("out.docx")));
    EXPECT_EQ(
        QDir(dir.filePath("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList());
    EXPECT_EQ(dir.entryList({".pagula*"}, QDir::Files | QDir::Hidden), QStringList());
}
