// The batch command against hostile arguments, job lists and pictures: each case gives its exit
// status and message, and leaves every file that was there before byte for byte as it was.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PAGULA_CLANG_ASAN
#endif
#endif

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

// What a file must be after the run. LinkToPdf: still a symlink, to a PDF that has the mode its
// target had before; Special: still not a regular file.
enum class After { Same, Absent, Pdf, LinkToPdf, Special };

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
    QString home;   // HOME below the folder, "" for a writable one
    QString absent; // text that no line of the output may start with
    QString limits; // shell commands before the command runs ("ulimit -f 1"), with `shell`

    Case(const char* n, std::function<void(const QDir&)> s, QStringList a, int code, QString m,
         std::map<QString, After> f, bool sh = false, QString h = {}, QString no = {},
         QString l = {})
        : name(n), setUp(std::move(s)), args(std::move(a)), exitCode(code), message(std::move(m)),
          files(std::move(f)), shell(sh), home(std::move(h)), absent(std::move(no)),
          limits(std::move(l))
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

// A JPEG of side x side pixels (grey, or colour in three components) whose coded data stops early
// (it decodes with the rest grey): large in pixels, small on disk. Baseline; progressive in
// `scans` scans when more than one; arithmetic-coded (and then without any data) when asked.
QByteArray flatJpeg(int side, int components, int scans = 1, bool arithmetic = false,
                    int arithmeticData = 16)
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
    if (components == 1)
        frame.append(QByteArray("\x01\x01\x11\x00", 4));
    else
        frame.append(QByteArray("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10));
    segment(arithmetic ? '\xC9' : scans > 1 ? '\xC2' : '\xC0', frame);
    if (arithmetic) {
        segment('\xDA', QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
        b.append(QByteArray(arithmeticData, '\0'));
        b.append("\xFF\xD9", 2);
        return b;
    }
    // One code each, "0": DC difference 0 and end of block.
    const QByteArray oneCode = QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0');
    segment('\xC4', QByteArray(1, '\x00') + oneCode);
    segment('\xC4', QByteArray(1, '\x10') + oneCode);
    if (components == 1)
        segment('\xDA', scans > 1 ? QByteArray("\x01\x01\x00\x00\x00\x00", 6)
                                  : QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
    else
        segment('\xDA', QByteArray("\x03\x01\x00\x02\x00\x03\x00\x00\x3F\x00", 10));
    const qint64 blocks = qint64(side / 8) * (side / 8) * components;
    b.append(QByteArray(blocks / 400, '\0')); // 2 bits a block, for a share of the blocks
    for (int k = 1; k < scans; ++k) {
        segment('\xDA', QByteArray("\x01\x01\x00\x01\x3F\x00", 6));
        b.append('\0');
    }
    b.append("\xFF\xD9", 2);
    return b;
}

QByteArray greyJpeg(int side, int scans = 1, bool arithmetic = false)
{
    return flatJpeg(side, 1, scans, arithmetic);
}

// A 4 x 4 grey TIFF of one strip, uncompressed or with LZW codes that libtiff refuses; an
// unknown tag makes libtiff warn.
QByteArray tinyTiff(bool badLzw, bool unknownTag)
{
    QList<std::array<quint32, 3>> entries = {
        {256, 3, 4}, {257, 3, 4}, {258, 3, 8}, {259, 3, badLzw ? 5u : 1u}, {262, 3, 1}, {273, 4, 0},
        {277, 3, 1}, {278, 3, 4}, {279, 4, 16}};
    if (unknownTag)
        entries.append({65000, 3, 1});
    const quint32 pixels = 8 + 2 + 12 * quint32(entries.size()) + 4;
    QByteArray b("II*\0\x08\0\0\0", 8);
    auto put = [&](quint32 v, int bytes) {
        for (int k = 0; k < bytes; ++k)
            b.append(char((v >> (8 * k)) & 0xFF));
    };
    put(quint32(entries.size()), 2);
    for (const auto& [tag, type, value] : entries) {
        put(tag, 2);
        put(type, 2);
        put(1, 4);
        put(tag == 273 ? pixels : value, 4);
    }
    put(0, 4);
    b.append(QByteArray(16, badLzw ? '\xFF' : '\x80'));
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
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir.path());
    if (c.shell) {
        p.start(QStringLiteral("bash"),
                {QStringLiteral("-c"),
                 QStringLiteral("%3\nexec '%1' %2")
                     .arg(QStringLiteral(PAGULA_COMPOSE_BINARY), args.join(QLatin1Char(' ')),
                          c.limits.isEmpty() ? QStringLiteral(":") : c.limits)});
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
        writeFile(d.filePath("big.jpg"), flatJpeg(20000, 3));
        list(d, "big.txt", entry(d, "big.jpg"));
    };
    const auto plainFile = [](const QDir& d) { writeFile(d.filePath("plain"), "not a folder"); };
    const auto jpegList = [&](QByteArray bytes) {
        return [&, bytes](const QDir& d) {
            writeFile(d.filePath("x.jpg"), bytes);
            list(d, "x.txt", entry(d, "x.jpg"));
        };
    };
    const auto fifo = [&](const QDir& d) { ::mkfifo(path(d, "fifo.pdf").constData(), 0600); };
    const auto symlinkTo = [&](const char* name, const char* target, const char* contents) {
        return [=](const QDir& d) {
            if (contents) {
                writeFile(d.filePath(target), contents);
                QFile::setPermissions(d.filePath(target),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
            }
            ::symlink(target, path(d, name).constData());
        };
    };
    const QString fakeLine = "pagula-compose: out.pdf: 4 page(s) written";
    const auto tiffList = [&](QByteArray bytes) {
        return [&, bytes](const QDir& d) {
            writeFile(d.filePath("x.tif"), bytes);
            list(d, "x.txt", entry(d, "x.tif"));
        };
    };
    // A HEIF grid stated 249 x 16 whose data, read as libheif reads it, says 63744 x 4096.
    const auto lyingHeif = [&](const QDir& d) {
        QFile::copy(
            pagula::test::sourceDir() +
                "/tests/regress/fuzz_heif/grid-read-past-the-idat-data-as-libheif-reads-it.heic",
            d.filePath("x.heic"));
        list(d, "x.txt", entry(d, "x.heic"));
    };
    // Copies of a JPEG that takes seconds to decode, listed after the photo.
    const auto slowJpegs = [&](const QDir& d) {
        const QByteArray slow = greyJpeg(4096, 64); // as many block passes as allowed
        QByteArray entries = entry(d, "photo.pdf");
        for (int k = 1; k <= 16; ++k) {
            const QString name = QStringLiteral("s%1.jpg").arg(k);
            writeFile(d.filePath(name), slow);
            entries += entry(d, name);
        }
        list(d, "slow.txt", entries);
    };
    // What runs killed before they could clean up left, and a folder of a run still alive.
    const auto leftovers = [&](const QDir& d) {
        d.mkpath("runtime/pagula/run-4194303-aBcDeF");
        d.mkpath("runtime/pagula/run-1-aBcDeF");
        writeFile(d.filePath("runtime/pagula/run-4194303-aBcDeF/Pagula-tmp.bmp"), "left");
        writeFile(d.filePath("runtime/pagula/run-1-aBcDeF/Pagula-tmp.bmp"), "alive");
        QFile::setPermissions(d.filePath("runtime/pagula"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    // Three 16-bit 4096 x 4096 TIFFs: each decode takes about 200 MiB, so under a budget of
    // 292 MiB they must wait for each other; a share not given back would stall the run.
    const auto deepTiffs = [&](const QDir& d) {
        QImage deep(4096, 4096, QImage::Format_RGBX64);
        for (int y = 0; y < deep.height(); ++y)
            std::fill_n(reinterpret_cast<quint64*>(deep.scanLine(y)), deep.width(),
                        quint64(0xFFFF) << 48 | quint64(y * 16) << 32 | quint64(0x1234));
        QImageWriter writer(d.filePath("deep1.tif"), "tiff");
        writer.setCompression(1); // LZW: a few hundred KB on disk
        ASSERT_TRUE(writer.write(deep));
        QByteArray entries = entry(d, "deep1.tif");
        for (int k = 2; k <= 3; ++k) {
            const QString name = QStringLiteral("deep%1.tif").arg(k);
            QFile::copy(d.filePath("deep1.tif"), d.filePath(name));
            entries += entry(d, name);
        }
        list(d, "deep.txt", entries);
    };
    // A BMP header that promises 7000 x 7000 pixels of 24 bits.
    const auto hugeBmp = [&](const QDir& d) {
        QByteArray b("BM", 2);
        const auto le32 = [&](quint32 v) {
            for (int k = 0; k < 4; ++k)
                b.append(char((v >> (8 * k)) & 0xFF));
        };
        le32(54 + 7000 * 21000);
        le32(0);
        le32(54);
        le32(40);
        le32(7000);
        le32(7000);
        le32(1 | (24 << 16));
        for (int k = 0; k < 6; ++k)
            le32(0);
        writeFile(d.filePath("x.bmp"), b);
        list(d, "x.txt", entry(d, "x.bmp"));
    };
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
        // 13. a JPEG's cost judged before it is decoded
        {"progressive JPEG too slow to decode", jpegList(greyJpeg(8192, 70)), {"x.txt", "out.pdf"}, 1,
         "x.jpg would take too long to decode (8192 x 8192 pixels in 70 scans)", {{"out.pdf", A::Same}}},
        {"JPEG with hundreds of scans", jpegList(greyJpeg(64, 300)), {"x.txt", "out.pdf"}, 1,
         "JPEG file has more than 100 scans", {{"out.pdf", A::Same}}},
        {"arithmetic-coded JPEG far too short", jpegList(greyJpeg(65000, 1, true)), {"x.txt", "out.pdf"}, 1,
         "JPEG file is far too short for a 65000 x 65000 picture", {{"out.pdf", A::Same}}},
        // 14. a job list line longer than any path, refused as it is read
        {"job list line of megabytes", [&](const QDir& d) { list(d, "long.txt", QByteArray(5 << 20, 'x')); },
         {"long.txt", "out.pdf"}, 1, "line 1 is longer than 4096 bytes", {{"out.pdf", A::Same}}},
        // 15. outputs that are not plain files, refused before any work
        {"output is a FIFO", fifo, {"list.txt", "fifo.pdf"}, 2,
         "Cannot write fifo.pdf: it is a pipe or socket, not a file", {{"fifo.pdf", A::Special}}},
        {"back side is a FIFO", fifo, {"--two-sided", "--back", "fifo.pdf", "list.txt", "out.pdf"}, 2,
         "Cannot write fifo.pdf: it is a pipe or socket", {{"fifo.pdf", A::Special}, {"out.pdf", A::Same}}},
        {"output is a folder", [](const QDir& d) { d.mkdir("dir.pdf"); }, {"list.txt", "dir.pdf"}, 2,
         "Cannot write dir.pdf: it is a folder", {{"dir.pdf", A::Special}}},
        {"output links to a device", symlinkTo("dev.pdf", "/dev/null", nullptr), {"list.txt", "dev.pdf"}, 2,
         "Cannot write dev.pdf: it is a device, not a file", {{"dev.pdf", A::Special}}},
        {"output name too long", {}, {"list.txt", QString(300, 'n') + ".pdf"}, 2,
         "File name too long", {{"out.pdf", A::Same}}},
        {"output links to a name of another type", symlinkTo("link.pdf", "real.txt", "previous"),
         {"list.txt", "link.pdf"}, 2,
         "Cannot write link.pdf: it is a link to real.txt, whose extension is not .pdf", {{"real.txt", A::Same}}},
        {"output written through its link", symlinkTo("link.pdf", "real.pdf", "previous"),
         {"list.txt", "link.pdf"}, 0, "", {{"link.pdf", A::LinkToPdf}, {"real.pdf", A::Pdf}}},
        {"dangling link as output", symlinkTo("dangling.pdf", "made.pdf", nullptr),
         {"list.txt", "dangling.pdf"}, 0, "", {{"dangling.pdf", A::LinkToPdf}}},
        {"output with another hard link", [&](const QDir& d) { ::link(path(d, "out.pdf").constData(), path(d, "keep.pdf").constData()); },
         {"list.txt", "out.pdf"}, 0, "warning: out.pdf has 1 other hard link(s), which keep the previous contents",
         {{"out.pdf", A::Pdf}}},
        // 16. a line break in a name never starts a line of its own
        {"line break in the job list's name", {}, {"$'missing\\n" + fakeLine + "'", "out.pdf"}, 1,
         "missing\\n" + fakeLine, {{"out.pdf", A::Same}}, true, {}, fakeLine},
        {"line break in an option's value", {}, {"--cell-width", "$'5\\n" + fakeLine + "'", "list.txt", "out.pdf"}, 2,
         "5\\n" + fakeLine, {{"out.pdf", A::Same}}, true, {}, fakeLine},
        // 17. libtiff's own lines: warnings dropped, errors part of the message naming the picture
        {"TIFF that libtiff warns about, quiet", tiffList(tinyTiff(false, true)), {"-q", "x.txt", "out.pdf"}, 0,
         "", {{"out.pdf", A::Pdf}}, false, {}, "TIFFReadDirectory"},
        {"TIFF whose data libtiff refuses", tiffList(tinyTiff(true, false)), {"-q", "x.txt", "out.pdf"}, 1,
         "x.tif: Cannot decode TIFF picture: Unable to read image data (Using code not yet in table)", {{"out.pdf", A::Same}}, false, {}, "foo: Using code"},
        // 18. the reason of a failed write, whatever the format
        {"file size limit, DOCX", {}, {"list.txt", "out.docx"}, 1, "File too large",
         {{"out.docx", A::Absent}}, true, {}, {}, "ulimit -f 1"},
        {"file size limit, ODT", {}, {"--embed", "list.txt", "out.odt"}, 1, "File too large",
         {{"out.odt", A::Absent}}, true, {}, {}, "ulimit -f 1"},
        {"file size limit, PDF", {}, {"--dpi", "1200", "list.txt", "out.pdf"}, 1, "File too large",
         {{"out.pdf", A::Same}}, true, {}, {}, "ulimit -f 1"},
        // 19. a request to end is carried out within a second, whatever the run is doing
        {"SIGTERM while the pictures decode", slowJpegs, {"-q", "slow.txt", "out.pdf"}, 3,
         "terminated; no output file was changed", {{"out.pdf", A::Same}}, true, {}, {}, "(sleep 0.5; kill -TERM $$) &"},
        {"SIGHUP while the pictures decode", slowJpegs, {"-q", "slow.txt", "out.pdf"}, 3,
         "terminated; no output file was changed", {{"out.pdf", A::Same}}, true, {}, {}, "(sleep 0.5; kill -HUP $$) &"},
        {"Ctrl+C while the pictures decode", slowJpegs, {"-q", "slow.txt", "out.pdf"}, 3,
         "interrupted; no output file was changed", {{"out.pdf", A::Same}}, true, {}, {}, "(sleep 0.5; kill -INT $$) &"},
        {"nobody reads the messages", {}, {"list.txt", "out.pdf"}, 3, "", {{"out.pdf", A::Same}}, true, {}, {},
         "exec 2> >(:); sleep 0.3"},
        // 20. temporary folders: those of runs that are gone are removed, others kept
        {"folders left by killed runs", leftovers, {"list.txt", "out.pdf"}, 0, "",
         {{"out.pdf", A::Pdf}, {"runtime/pagula/run-4194303-aBcDeF/Pagula-tmp.bmp", A::Absent},
          {"runtime/pagula/run-1-aBcDeF/Pagula-tmp.bmp", A::Same}}},
        {"staged output a killed run left", [&](const QDir& d) { list(d, ".pagula-4194303-0.pdf", "left"); },
         {"list.txt", "out.pdf"}, 0, "", {{"out.pdf", A::Pdf}, {".pagula-4194303-0.pdf", A::Absent}}},
        // 21. one memory budget for the pictures decoded at once
        {"picture larger than the memory budget", hugeBmp, {"x.txt", "out.pdf"}, 1,
         "x.bmp needs 561 MiB to decode, more than the 488 MiB that all pictures decoded at once may take",
         {{"out.pdf", A::Same}}, true, {}, {}, "ulimit -v 2000000"},
        {"HEIF grid larger than it states", lyingHeif, {"x.txt", "out.pdf"}, 1,
         "x.heic is too large (63744 x 4096 pixels)", {{"out.pdf", A::Same}}},
        {"pictures the budget holds one at a time", deepTiffs, {"-q", "deep.txt", "out.pdf"}, 0, "",
         {{"out.pdf", A::Pdf}}, true, {}, {}, "ulimit -v 1200000"},
    };
    // clang-format on

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
#if defined(__SANITIZE_ADDRESS__) || defined(PAGULA_CLANG_ASAN)
        // AddressSanitizer reserves terabytes of address space for its shadow memory: under an
        // address space limit the command cannot even start.
        if (c.limits.contains(QLatin1String("ulimit -v")))
            continue;
#endif
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
        dir.mkdir("runtime");
        if (c.setUp)
            c.setUp(dir);
        const QDir runFolders(dir.filePath("runtime/pagula"));
        const QStringList runsBefore = runFolders.entryList(QDir::Dirs | QDir::NoDotAndDotDot);

        // Every file present before, with its bytes; the modes of link targets.
        std::map<QString, QFile::Permissions> modes;
        for (const auto& [name, after] : c.files)
            if (after == After::LinkToPdf)
                modes[name] = QFileInfo(dir.filePath(name)).permissions();
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
        if (!c.absent.isEmpty()) {
            EXPECT_FALSE((QLatin1Char('\n') + err).contains(QLatin1Char('\n') + c.absent))
                << err.toStdString();
        }

        for (const auto& [name, bytes] : before) {
            const auto it = c.files.find(name);
            if (it != c.files.end() && it->second != After::Same)
                continue;
            EXPECT_EQ(readAll(dir.filePath(name)), bytes) << name.toStdString();
        }
        for (const auto& [name, after] : c.files) {
            // A FIFO is never opened: that would wait for a writer.
            const QByteArray bytes =
                after == After::Special ? QByteArray() : readAll(dir.filePath(name));
            switch (after) {
            case After::Same:
                break;
            case After::Absent:
                EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
                break;
            case After::Pdf:
                EXPECT_TRUE(bytes.startsWith("%PDF-")) << name.toStdString();
                break;
            case After::LinkToPdf: {
                const QFileInfo info(dir.filePath(name));
                EXPECT_TRUE(info.isSymLink() && bytes.startsWith("%PDF-")) << name.toStdString();
                if (modes[name] != QFile::Permissions()) {
                    EXPECT_EQ(info.permissions(), modes[name]) << name.toStdString();
                }
                break;
            }
            case After::Special: {
                const QFileInfo info(dir.filePath(name));
                EXPECT_TRUE(info.isSymLink() || info.isDir() || (info.exists() && !info.isFile()))
                    << name.toStdString();
                break;
            }
            }
        }
        // No staged or temporary file is left in the folder.
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
        // Nor a temporary folder of the run's own.
        for (const QString& name : runFolders.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            EXPECT_TRUE(runsBefore.contains(name)) << name.toStdString();
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
            {"--lang", "en", "--embed", dir.filePath("list.txt"), dir.filePath("out.docx")});
    ASSERT_TRUE(p.waitForStarted());
    // Wait until the writing has begun, then ask the command to end.
    QByteArray seen;
    while (!seen.contains("Writing") && p.state() == QProcess::Running) {
        p.waitForReadyRead(100);
        seen += p.readAll();
    }
    // A process that has ended has no id: kill(0) would end this test's whole process group.
    ASSERT_EQ(p.state(), QProcess::Running) << seen.toStdString();
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
