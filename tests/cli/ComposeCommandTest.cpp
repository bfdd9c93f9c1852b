// Runs the real pagula-compose on generated pictures and job list files.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct Outcome {
    int exitCode = -1;
    QString err;
    QString out;
};

Outcome runCompose(const QStringList& args, const QString& home, const QString& locale = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!locale.isEmpty())
        env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("HOME"), home); // the filler picture goes below it
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/share"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PAGULA_COMPOSE_BINARY), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError()),
            QString::fromUtf8(p.readAllStandardOutput())};
}

int pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

struct Fixture : ::testing::Test {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeList(const QStringList& entries)
    {
        const QString list = path(QStringLiteral("list.txt"));
        QFile f(list);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QString& e : entries)
            f.write((e + QStringLiteral("\r\n")).toUtf8());
        return list;
    }
    QStringList pictures(int count)
    {
        QStringList entries;
        for (int k = 0; k < count; ++k) {
            QImage img(120, 160, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(k * 25 % 360, 200, 200));
            const QString file = path(QStringLiteral("pic %1 #&.jpg").arg(k));
            pagula::test::savePicture(img, file, "JPG");
            entries << file + QLatin1Char('0');
        }
        return entries;
    }
};

} // namespace

TEST_F(Fixture, WritesOneOrTwoPdfsWithTheirPages)
{
    if (QProcess::execute("pdfinfo", {"-v"}) < 0)
        GTEST_SKIP() << "pdfinfo is missing (scripts/deps.sh test installs poppler-utils)";
    const QString list = writeList(pictures(11));
    const struct {
        QStringList options;
        int frontPages, backPages;
    } cases[] = {
        {{}, 2, -1},
        {{"--rows", "2", "--columns", "2"}, 3, -1},
        {{"--two-sided"}, 1, 1},
        {{"--two-sided", "-c", "1", "-r", "2"}, 3, 3},
    };
    for (const auto& c : cases) {
        const QString out = path(QStringLiteral("out.pdf"));
        QFile::remove(out);
        QFile::remove(path(QStringLiteral("out-back.pdf")));
        const Outcome r = runCompose(QStringList(c.options) << "-q" << list << out, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(pdfPages(out), c.frontPages) << c.options.join(' ').toStdString();
        EXPECT_EQ(pdfPages(path(QStringLiteral("out-back.pdf"))), c.backPages)
            << c.options.join(' ').toStdString();
    }
}

TEST_F(Fixture, FailuresExitNonZeroWithTheMessageAndKeepTheOldOutput)
{
    QStringList entries = pictures(2);
    entries.insert(1, path(QStringLiteral("missing.jpg0")));
    const QString list = writeList(entries);
    const QString out = path(QStringLiteral("out.pdf"));
    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();

    Outcome r = runCompose({list, out}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(path(QStringLiteral("missing.jpg")))) << r.err.toStdString();
    QFile kept(out);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("previous"));

    r = runCompose({path(QStringLiteral("no-list.txt")), out}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Cannot open file %1").arg(path("no-list.txt"))))
        << r.err.toStdString();

    r = runCompose({list, path(QStringLiteral("out.xyz"))}, dir.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral(".pdf"))) << r.err.toStdString();

    r = runCompose({"--columns", "99", list, out}, dir.path());
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(Fixture, ShowsProgressUnlessQuiet)
{
    const QString list = writeList(pictures(3));
    const Outcome loud = runCompose({list, path(QStringLiteral("a.pdf"))}, dir.path());
    EXPECT_EQ(loud.exitCode, 0);
    EXPECT_TRUE(loud.err.contains(QStringLiteral("6/6 cells"))) << loud.err.toStdString();
    const Outcome quiet = runCompose({"-q", list, path(QStringLiteral("b.pdf"))}, dir.path());
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
}

// Each run speaks one language, --lang's over the locale's. Russian output holds no Latin word
// but names, options and their values; English output no Cyrillic.
TEST_F(Fixture, EveryRunSpeaksOneLanguage)
{
    const QString list = writeList(pictures(3));
    const QString out = path(QStringLiteral("out.pdf"));
    const struct {
        QStringList args;
        int exitCode;
        const char* russian; // a piece of the output in each language
        const char* english;
    } cases[] = {
        {{"--help"}, 0, "Использование: pagula-compose", "Usage: pagula-compose"},
        {{list, out}, 0, "ячейки: 6/6", "6/6 cells"},
        {{list, out}, 0, "Запись /out.pdf: страница 1 из 1", "Writing /out.pdf: page 1 of 1"},
        {{list, out}, 0, "/out.pdf: страниц: 1", "/out.pdf: 1 page(s)"},
        {{"--embed", list, out}, 0, "предупреждение: --embed", "warning: --embed"},
        {{"--columns", "99", list, out},
         2,
         "--columns: число должно быть от 1 до 15",
         "--columns must be between 1 and 15"},
        {{"--margin-left", "300", list, out},
         2,
         "--margin-left 300: на листе не остаётся места",
         "--margin-left 300 leaves no room for the cells; allowed 0 to 199 mm"},
        {{"--duplex", list, out}, 2, "--duplex действует только", "--duplex needs --two-sided"},
        {{list}, 2, "Справка: pagula-compose --help", "Try pagula-compose --help"},
        {{"--no-such-option", list, out}, 2, "no-such-option", "Unknown option"},
        {{"--lang", "de", list, out}, 2, "--lang: ru или en", "--lang is ru or en"},
    };
    // Names the output may hold in either language.
    static const QRegularExpression names(QStringLiteral(
        "--[a-z0-9-]+|no-such-option|pagula-compose|out\\.pdf|\\b(PDF|JPEG|PNG|WebP|HEIC|HEIF|BMP|"
        "TIFF|GIF|PCX|OpenDocument|Word|odt|docx|pdf|dpi|page|Ctrl|SIGTERM|SIGHUP|SIGPIPE|auto|"
        "grey|bw|left|right|top|bottom|ru|en|de|back)\\b"));
    static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    for (const char* lang : {"ru", "en"}) {
        const bool english = QLatin1String(lang) == QLatin1String("en");
        for (const auto& c : cases) {
            const QStringList args = QStringList{"--lang", lang} + c.args;
            SCOPED_TRACE(args.join(u' ').toStdString());
            QFile::remove(out);
            const Outcome r =
                runCompose(args, dir.path(),
                           english ? QStringLiteral("C.UTF-8") : QStringLiteral("en_US.UTF-8"));
            EXPECT_EQ(r.exitCode, c.exitCode);
            const QString text = QString(r.out + r.err).replace(dir.path(), QString());
            EXPECT_TRUE(text.contains(QString::fromUtf8(english ? c.english : c.russian)))
                << text.toStdString();
            if (english) {
                EXPECT_FALSE(text.contains(cyrillic)) << text.toStdString();
            } else {
                QString rest = text;
                rest.remove(names);
                EXPECT_FALSE(rest.contains(latinWord)) << rest.toStdString();
            }
        }
    }
}

TEST_F(Fixture, DuplexWritesOneInterleavedPdfAndNoBackFile)
{
    if (QProcess::execute("pdfinfo", {"-v"}) < 0)
        GTEST_SKIP() << "pdfinfo is missing (scripts/deps.sh test installs poppler-utils)";
    const QString list = writeList(pictures(11));
    const QString out = path(QStringLiteral("both.pdf"));
    // Front 1 3 5 | 7 9 | 11, back 2 4 | 6 8 | 10: three sheets, six pages.
    Outcome r = runCompose(
        {"--two-sided", "--duplex", "--back-offset", "1,-1", "-c", "1", "-r", "2", "-q", list, out},
        dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPages(out), 6);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("both-back.pdf"))));

    r = runCompose({"--two-sided", "--duplex", list, path(QStringLiteral("both.odt"))}, dir.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--duplex writes a PDF"))) << r.err.toStdString();
}
