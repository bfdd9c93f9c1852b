// pagula-compose writing ODT and DOCX: the format follows the output's extension, pictures are
// linked unless --embed stores them, and a prepared page is stored as it is prepared.
#include "cli/ComposeOptions.h"
#include "support/PageFixtures.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <gtest/gtest.h>

#include <zip.h>

namespace
{

struct Package {
    QStringList names;
    QByteArray main;            // content.xml or word/document.xml
    QList<QByteArray> pictures; // the stored ones
};

QByteArray readEntry(zip_t* archive, const char* name)
{
    QByteArray bytes;
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) != 0)
        return bytes;
    bytes.resize(qsizetype(st.size));
    if (zip_file_t* file = zip_fopen(archive, name, 0)) {
        zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
    }
    return bytes;
}

Package readPackage(const QString& path, const char* mainPart)
{
    Package package;
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return package;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        const char* name = zip_get_name(archive, zip_uint64_t(i), 0);
        package.names << QString::fromUtf8(name);
        if (package.names.last().contains(QRegularExpression("^(Pictures|word/media)/")))
            package.pictures << readEntry(archive, name);
    }
    package.main = readEntry(archive, mainPart);
    zip_close(archive);
    return package;
}

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome runCompose(const QStringList& args, const QString& home)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/share"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PAGULA_COMPOSE_BINARY), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

const QRgb table = qRgb(88, 66, 50);

// A sheet with lines of print, photographed turned on a darker table.
QImage sheetOnTable()
{
    QImage photo(900, 1200, QImage::Format_RGB32);
    photo.fill(table);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(450, 600);
    painter.rotate(6);
    painter.fillRect(QRectF(-300, -420, 600, 840), QColor(245, 244, 240));
    for (int y = -340; y < 360; y += 40) // lines of print
        painter.fillRect(QRectF(-240, y, 480, 6), QColor(30, 30, 30));
    return photo;
}

// The share of a picture's pixels that show the table.
double tableShare(const QImage& picture)
{
    qint64 seen = 0;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor c = rgb.pixelColor(x, y);
            seen += std::abs(c.red() - qRed(table)) + std::abs(c.green() - qGreen(table)) +
                        std::abs(c.blue() - qBlue(table)) <
                    30;
        }
    return rgb.isNull() ? 0.0 : double(seen) / (double(rgb.width()) * rgb.height());
}

TEST(ComposeDocumentFormats, OdtAndDocxFollowTheExtensionLinkedOrStored)
{
    QTemporaryDir dir;
    QStringList entries;
    for (int k = 0; k < 5; ++k) {
        QImage img(60, 80, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(k * 60, 200, 200));
        const QString file = dir.filePath(QStringLiteral("pic %1 #&.jpg").arg(k));
        pagula::test::savePicture(img, file, "JPG");
        entries << file + QLatin1Char('0');
    }
    const QString photo = dir.filePath(QStringLiteral("photo.jpg"));
    pagula::test::savePicture(sheetOnTable(), photo, "JPG");
    entries << photo + QLatin1Char('0');
    QFile photoFile(photo);
    ASSERT_TRUE(photoFile.open(QIODevice::ReadOnly));
    const QByteArray photoBytes = photoFile.readAll();
    ASSERT_GT(tableShare(QImage(photo)), 0.4);
    const QString list = dir.filePath(QStringLiteral("list.txt"));
    {
        QFile f(list);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((entries.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }

    const struct {
        const char* output;
        const char* mainPart;
        const char* picture; // one element per picture or filler
        QStringList options;
        int stored;
        bool photoAsIs; // the photo stored byte for byte, else prepared (when stored)
    } cases[] = {
        // 6 pictures and 6 gutter fillers; stored: 6 pictures and the filler, each once.
        {"out.odt", "content.xml", "<draw:frame ", {}, 0, false},
        {"out.docx", "word/document.xml", "<wp:inline ", {}, 0, false},
        {"stored.odt", "content.xml", "<draw:frame ", {"--embed"}, 7, true},
        {"stored.DOCX", "word/document.xml", "<wp:inline ", {"--embed"}, 7, true},
        // A prepared page is stored even unasked (the filler is not), without the table it lay
        // on.
        {"prepared.odt", "content.xml", "<draw:frame ", {"--prepare"}, 6, false},
        {"prepared.docx", "word/document.xml", "<wp:inline ", {"--embed", "--prepare"}, 7, false},
    };
    for (const auto& c : cases) {
        const QString out = dir.filePath(QString::fromLatin1(c.output));
        const Outcome r = runCompose(QStringList(c.options) << list << out, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(out + QStringLiteral(": 1 page(s)"))) << r.err.toStdString();
        const Package package = readPackage(out, c.mainPart);
        EXPECT_EQ(package.main.count(c.picture), 12) << c.output;
        EXPECT_EQ(package.pictures.size(), c.stored) << c.output;
        EXPECT_EQ(package.pictures.contains(photoBytes), c.photoAsIs) << c.output;
        double mostTable = 0;
        for (const QByteArray& picture : package.pictures)
            mostTable = std::max(mostTable, tableShare(QImage::fromData(picture)));
        if (c.photoAsIs)
            EXPECT_GT(mostTable, 0.4) << c.output;
        else
            EXPECT_LT(mostTable, 0.01) << c.output;
    }
}

// A PDF of 40 mixed pages, two of them unusable, named whole in the list, and photos of every
// new kind: every usable page and photo goes two-sided to PDF and to DOCX, and the pages left
// out are named.
TEST(ComposeDocumentFormats, PdfPagesAndPhotosGoTwoSidedToPdfAndDocx)
{
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    using namespace pagula::test;
    const QString pdf = write("notes.pdf", withPageMissing(withPageHuge(mixedPdf(40), 17), 40));
    QImage photo(90, 120, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    savePicture(photo, dir.filePath("shot.png"), "PNG");
    savePicture(photo, dir.filePath("shot.webp"), "WEBP");
    const QString heic =
        write("phone.heic", heicPhoto(photo.transformed(QTransform().rotate(270)), 6));
    const QString list = write("list.txt", (pdf + "1\r\n" + dir.filePath("shot.png") + "0\r\n" +
                                            dir.filePath("shot.webp") + "0\r\n" + heic +
                                            "0\r\n<page 2>" + pdf + "0\r\n")
                                               .toUtf8());
    // 38 pages, three photos and page 2 again: 21 entries a side, three pages of nine cells.
    for (const char* output : {"out.pdf", "out.docx"}) {
        const Outcome r = runCompose({"--two-sided", list, dir.filePath(output)}, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(
            QStringLiteral("warning: Page 17 of %1 has an absurd size (99999 x 842 points)")
                .arg(pdf)));
        EXPECT_TRUE(r.err.contains(QStringLiteral("warning: Page 40 of %1 is damaged").arg(pdf)));
        EXPECT_EQ(r.err.count(QStringLiteral(": 3 page(s)")), 2) << r.err.toStdString();
    }
    // The front's 19 pages (every other usable one) and the HEIC photo are stored converted; the
    // PNG is linked as it is.
    const Package front = readPackage(dir.filePath("out.docx"), "word/document.xml");
    const QStringList media = front.names.filter(QRegularExpression("^word/media/"));
    EXPECT_EQ(media.filter(QRegularExpression("\\.png$")).size(), 19);
    EXPECT_EQ(media.filter(QRegularExpression("\\.jpeg$")).size(), 1);
    EXPECT_EQ(media.size(), 20);
}

TEST(ComposeDocumentFormats, EmbedIsAnOption)
{
    using pagula::cli::parseComposeArguments;
    EXPECT_FALSE(parseComposeArguments({"pagula-compose", "l", "o.odt"}).options->embedPictures);
    EXPECT_TRUE(
        parseComposeArguments({"pagula-compose", "--embed", "l", "o.docx"}).options->embedPictures);
    EXPECT_TRUE(parseComposeArguments({"pagula-compose", "--help"}).text.contains("--embed"));
}

} // namespace
