// ODT and DOCX packages at the XML and zip level, without a word processor: every part parses,
// the packages list their parts, links come back as the exact file paths, stored pictures keep
// their bytes, and failed or cancelled saves keep the previous file.
#include "DocumentTestSupport.h"
#include "PackageReader.h"
#include "PictureFiles.h"

#include "common/Error.h"
#include "document/DocxExport.h"
#include "document/OdtExport.h"
#include "imaging/ImageIO.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

enum class Format { Odt, Docx };

const char* formatName(Format f)
{
    return f == Format::Odt ? "odt" : "docx";
}

ExportResult save(Format format, const Document& doc, const QString& path, bool embed = false,
                  const ProgressCallback& progress = {}, BrokenPicture broken = BrokenPicture::Fail)
{
    if (format == Format::Odt) {
        OdtOptions options;
        options.embedPictures = embed;
        options.brokenPicture = broken;
        return saveOdt(doc, path, options, progress);
    }
    DocxOptions options;
    options.embedPictures = embed;
    options.brokenPicture = broken;
    return saveDocx(doc, path, options, progress);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A picture that fills its whole box, with all four edges when framed.
InlinePicture pictureFor(const QString& path, QSizeF own = {60, 30}, bool framed = false)
{
    InlinePicture p(path, own, true, false);
    p.setWidth(120);
    p.setHeight(60);
    if (framed)
        for (auto e : {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom, BorderEdge::Right})
            p.setBorder(e, LineStyleSingle, LineWidthQuarterPoint);
    return p;
}

Document documentOf(const QStringList& paths)
{
    Document doc;
    for (const QString& path : paths)
        doc.insertPicture(doc.itemCount(), pictureFor(path));
    return doc;
}

// Links in the order the document uses them: ODT image references, DOCX relationship targets.
QStringList links(Format f, const PackageContents& package)
{
    if (f == Format::Odt)
        return attributeValues(package.part("content.xml"), "draw:image", "xlink:href");
    return attributeValues(package.part("word/_rels/document.xml.rels"), "Relationship", "Target")
        .filter(QRegularExpression("^(file:|media/)"));
}

class PackageExportTest : public ::testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
        output = dir.filePath(QStringLiteral("out/sheet.") + formatName(GetParam()));
        png = savePictureFile(halvesImage({60, 30}, Qt::red, Qt::blue), dir.filePath("a.png"), 72,
                              "PNG");
    }

    void writeOldFile() { writeBytes(output, "the previous file\n"); }

    void expectOldFileAlone()
    {
        EXPECT_EQ(fileBytes(output), QByteArray("the previous file\n"));
        EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(output).fileName()});
    }

    PackageContents saved(const Document& doc, bool embed = false)
    {
        const ExportResult result = save(GetParam(), doc, output, embed);
        EXPECT_FALSE(result.cancelled);
        PackageContents package = readPackage(output);
        EXPECT_EQ(package.error, QString());
        return package;
    }

    QTemporaryDir dir;
    QString output;
    QString png;
};

INSTANTIATE_TEST_SUITE_P(Formats, PackageExportTest, ::testing::Values(Format::Odt, Format::Docx),
                         [](const auto& param) { return std::string(formatName(param.param)); });

TEST_P(PackageExportTest, HostileFileNamesParseAndLinkBackExactly)
{
    const QStringList names{
        QStringLiteral("plain.png"),
        QStringLiteral("with  two spaces.png"),
        QStringLiteral("hash#1 and 100%25 and 50%.png"),
        QStringLiteral("a&b<c>d\"e'f.png"),
        QStringLiteral("what?.png"),
        QStringLiteral("Ünïcödé ёлка 表.png"),
        QStringLiteral("tab\tand\nnew line.png"),
        QString::fromUtf8("control\x01\x1b\x7f.png"),
        QStringLiteral("back\\slash;semi=colon+plus[1].png"),
    };
    QStringList paths;
    for (const QString& name : names) {
        paths << dir.filePath(name);
        ASSERT_TRUE(QFile::copy(png, paths.last())) << name.toStdString();
    }
    const PackageContents package = saved(documentOf(paths));

    for (const QString& name : package.names)
        if (name.endsWith(".xml") || name.endsWith(".rels")) {
            EXPECT_EQ(xmlError(package.part(name)), QString()) << name.toStdString();
        }

    const QStringList found = links(GetParam(), package);
    ASSERT_EQ(found.size(), paths.size());
    for (int i = 0; i < paths.size(); ++i) {
        const QUrl url(found[i], QUrl::StrictMode);
        EXPECT_TRUE(url.isValid()) << found[i].toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("file"));
        EXPECT_EQ(url.toLocalFile(), paths[i]) << found[i].toStdString();
        // Plain ASCII: every special character is percent-encoded.
        for (const QChar c : found[i])
            EXPECT_TRUE(c.unicode() > 0x20 && c.unicode() < 0x7F) << found[i].toStdString();
    }
}

TEST_P(PackageExportTest, RelativePathsLinkToAbsoluteFiles)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const PackageContents package = saved(documentOf({QStringLiteral("a.png")}));
    QDir::setCurrent(before);
    EXPECT_EQ(QUrl(links(GetParam(), package).value(0)).toLocalFile(), png);
}

TEST_P(PackageExportTest, PartsParseAndThePackageListsThemAll)
{
    const QString jpeg =
        savePictureFile(solidImage({40, 20}, Qt::green), dir.filePath("b.jpg"), 96, "JPEG");
    const PackageContents package = saved(documentOf({png, jpeg, png}), true);
    ASSERT_FALSE(package.names.isEmpty());
    for (const QString& name : package.names)
        if (!name.startsWith("Pictures/") && !name.startsWith("word/media/") &&
            name != "mimetype") {
            EXPECT_EQ(xmlError(package.part(name)), QString()) << name.toStdString();
        }

    std::set<QString> listed;
    std::set<QString> expected;
    if (GetParam() == Format::Odt) {
        for (const QString& p : attributeValues(package.part("META-INF/manifest.xml"),
                                                "manifest:file-entry", "manifest:full-path"))
            listed.insert(p);
        expected.insert("/");
        for (const QString& name : package.names)
            if (name != "mimetype" && name != "META-INF/manifest.xml")
                expected.insert(name);
        EXPECT_EQ(listed, expected);
        EXPECT_EQ(package.names.filter("Pictures/").size(), 2); // each file stored once
    } else {
        const QByteArray types = package.part("[Content_Types].xml");
        const QStringList overrides = attributeValues(types, "Override", "PartName");
        const QStringList defaults = attributeValues(types, "Default", "Extension");
        for (const QString& name : package.names) {
            if (name == "[Content_Types].xml")
                continue;
            const bool covered =
                overrides.contains("/" + name) || defaults.contains(QFileInfo(name).suffix());
            EXPECT_TRUE(covered) << name.toStdString();
        }
        for (const QString& part : overrides)
            EXPECT_TRUE(package.names.contains(part.mid(1))) << part.toStdString();
        EXPECT_EQ(package.names.filter("word/media/").size(), 2);
        // Every relationship target of the main part exists or is an external file.
        for (const QString& target : attributeValues(package.part("word/_rels/document.xml.rels"),
                                                     "Relationship", "Target"))
            EXPECT_TRUE(target.startsWith("file:") || package.names.contains("word/" + target))
                << target.toStdString();
    }
}

TEST(OdtPackage, MimetypeComesFirstStoredWithoutExtraFieldOrDescriptor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.odt");
    const QString png =
        savePictureFile(solidImage({10, 10}, Qt::red), dir.filePath("a.png"), 72, "PNG");
    OdtOptions options;
    options.embedPictures = true;
    saveOdt(documentOf({png}), path, options);

    const FirstEntry first = readFirstEntry(path);
    EXPECT_EQ(first.name, QStringLiteral("mimetype"));
    EXPECT_EQ(first.method, 0);
    EXPECT_EQ(first.flags & 0x08, 0);
    EXPECT_EQ(first.extraLength, 0);
    EXPECT_EQ(first.data, QByteArray("application/vnd.oasis.opendocument.text"));
    const PackageContents package = readPackage(path);
    ASSERT_EQ(package.error, QString());
    EXPECT_EQ(package.names.value(0), QStringLiteral("mimetype"));
    EXPECT_TRUE(package.stored.at("mimetype"));
}

TEST_P(PackageExportTest, StoredPicturesKeepTheirBytesAndLinkedOnesStayOutside)
{
    QStringList paths;
    for (const char* format : {"JPEG", "PNG", "BMP", "TIFF"})
        paths << savePictureFile(halvesImage({32, 16}, Qt::yellow, Qt::darkGreen),
                                 dir.filePath(QStringLiteral("p.%1").arg(format).toLower()), 96,
                                 format);
    // Qt writes no GIF: a one-pixel GIF of its own.
    paths.insert(3, dir.filePath("p.gif"));
    writeBytes(paths[3], QByteArray("GIF89a\x01\0\x01\0\x80\0\0\xff\0\0\0\0\0!\xf9\x04\0\0\0\0\0,"
                                    "\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;",
                                    43));
    // A JPEG named as a TIFF is stored as the JPEG it is.
    const QString liar = dir.filePath("really-a-jpeg.tif");
    ASSERT_TRUE(QFile::copy(paths[0], liar));
    paths << liar;
    const Document doc = documentOf(paths + paths); // every file twice

    const PackageContents linked = saved(doc);
    EXPECT_TRUE(linked.names.filter(QRegularExpression("^(Pictures|word/media)/")).isEmpty());
    EXPECT_EQ(links(GetParam(), linked).size(), GetParam() == Format::Odt ? 12 : 6);

    const PackageContents stored = saved(doc, true);
    const QStringList entries = stored.names.filter(QRegularExpression("^(Pictures|word/media)/"));
    ASSERT_EQ(entries.size(), paths.size());
    const QStringList suffixes{"jpeg", "png", "bmp", "gif", "tiff", "jpeg"};
    for (int i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(stored.part(entries[i]), fileBytes(paths[i])) << entries[i].toStdString();
        EXPECT_EQ(QFileInfo(entries[i]).suffix(), suffixes[i]);
        EXPECT_TRUE(stored.stored.at(entries[i]));
    }
    if (GetParam() == Format::Odt) {
        const QStringList hrefs =
            attributeValues(stored.part("content.xml"), "draw:image", "xlink:href");
        EXPECT_EQ(hrefs, entries + entries);
    } else {
        const QByteArray main = stored.part("word/document.xml");
        EXPECT_EQ(attributeValues(main, "a:blip", "r:embed").size(), 12);
        EXPECT_TRUE(attributeValues(main, "a:blip", "r:link").isEmpty());
        EXPECT_TRUE(attributeValues(stored.part("word/_rels/document.xml.rels"), "Relationship",
                                    "TargetMode")
                        .isEmpty());
    }
}

TEST_P(PackageExportTest, PicturesWordProcessorsCannotReadAreStoredAsPng)
{
    QImage icon = halvesImage({32, 32}, Qt::magenta, Qt::cyan);
    const QString ico = savePictureFile(icon, dir.filePath("icon.ico"), 96, "ICO");
    Document doc;
    InlinePicture picture(ico, QSizeF(24, 24), true, false); // 32 pixels at 96 dpi
    picture.setWidth(100);
    picture.setHeight(100);
    doc.insertPicture(0, picture);

    const PackageContents package = saved(doc); // linked, and stored all the same
    const QStringList entries =
        package.names.filter(QRegularExpression("^(Pictures|word/media)/.*\\.png$"));
    ASSERT_EQ(entries.size(), 1);
    QByteArray bytes = package.part(entries[0]);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "png");
    const QImage stored = reader.read();
    ASSERT_FALSE(stored.isNull());
    EXPECT_EQ(stored.convertToFormat(QImage::Format_RGB32),
              icon.convertToFormat(QImage::Format_RGB32));
    EXPECT_NEAR(stored.dotsPerMeterX() * 0.0254, 96.0, 0.05); // the same size in points
    EXPECT_TRUE(links(GetParam(), package)
                    .value(0)
                    .startsWith(GetParam() == Format::Odt ? "Pictures/" : "media/"));
}

TEST_P(PackageExportTest, PcxPicturesAreStoredAsPngWithTheirSize)
{
    QImage grey(24, 10, QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.setPixel(x, y, qRgb(x * 10, x * 10, x * 10));
    const QByteArray pcx = pcxFile(grey, 150);
    try {
        imaging::decodeData(pcx);
    } catch (const common::Error&) {
        GTEST_SKIP() << "the picture decoder does not read PCX yet";
    }
    const QString path = dir.filePath("scan.pcx");
    writeBytes(path, pcx);
    const QSizeF own(24 * 72.0 / 150, 10 * 72.0 / 150);
    Document doc;
    doc.insertPicture(0, InlinePicture(path, own, true, false));

    const PackageContents package = saved(doc);
    const QStringList entries =
        package.names.filter(QRegularExpression("^(Pictures|word/media)/.*\\.png$"));
    ASSERT_EQ(entries.size(), 1);
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(package.part(entries[0]), "PNG"));
    EXPECT_EQ(stored.convertToFormat(QImage::Format_RGB32), grey);
    EXPECT_NEAR(stored.dotsPerMeterX() * 0.0254, 150.0, 0.05);
}

TEST_P(PackageExportTest, TurnedPicturesAreStoredUpright)
{
    // Blue on the left, red on the right; orientation 6 turns it a quarter clockwise, so it is
    // shown 100 x 200 with blue at the top.
    QImage stored = halvesImage({200, 100}, Qt::blue, Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(stored.save(&buffer, "JPEG", 95));
    const QString path = dir.filePath("turned.jpg");
    writeBytes(path, withExifOrientation(jpeg, 6));
    ASSERT_EQ(imaging::probeFile(path).orientation, 6);
    Document doc;
    doc.insertPicture(0, InlinePicture(path, QSizeF(75, 150), true, false)); // 96 dpi, upright

    const PackageContents package = saved(doc); // linked, and stored all the same
    const QStringList entries =
        package.names.filter(QRegularExpression("^(Pictures|word/media)/.*\\.jpeg$"));
    ASSERT_EQ(entries.size(), 1);
    QImage upright;
    ASSERT_TRUE(upright.loadFromData(package.part(entries[0]), "JPEG"));
    ASSERT_EQ(upright.size(), QSize(100, 200));
    EXPECT_LT(qRed(upright.pixel(50, 40)), 60);
    EXPECT_GT(qBlue(upright.pixel(50, 40)), 200);
    EXPECT_GT(qRed(upright.pixel(50, 160)), 200);
    EXPECT_NEAR(upright.dotsPerMeterX() * 0.0254, 96.0, 0.05);
    // Nothing in the stored copy turns it again.
    EXPECT_EQ(imaging::probeData(package.part(entries[0])).orientation, 1);
}

TEST_P(PackageExportTest, PictureThatMustBeStoredButCannotBeReadKeepsThePreviousFile)
{
    const QString garbage = dir.filePath("garbage.pcx");
    writeBytes(garbage, QByteArray("not a picture at all"));
    const struct {
        QString path;
        bool embed;
    } cases[] = {
        {dir.filePath("missing.png"), true}, // stored on request, but gone
        {garbage, false},                    // not a word-processor format, so always stored
    };
    for (const auto& c : cases) {
        writeOldFile();
        try {
            save(GetParam(), documentOf({png, c.path}), output, c.embed);
            ADD_FAILURE() << "saved with " << c.path.toStdString();
        } catch (const common::Error& e) {
            EXPECT_TRUE(e.message().startsWith("Cannot store picture " + c.path + ": "))
                << e.message().toStdString();
        }
        expectOldFileAlone();

        // Told to go on, the package links to the picture and lists it.
        const ExportResult result = save(GetParam(), documentOf({png, c.path}), output, c.embed, {},
                                         BrokenPicture::UsePlaceholder);
        ASSERT_EQ(result.failures.size(), 1);
        EXPECT_EQ(result.failures[0].path, c.path);
        EXPECT_EQ(result.failures[0].itemIndex, 1);
        const PackageContents package = readPackage(output);
        EXPECT_EQ(QUrl(links(GetParam(), package).last()).toLocalFile(), c.path);
    }
}

TEST_P(PackageExportTest, LinkedPictureIsRefusedAsThePdfRefusesIt)
{
    // A link needs no file, but the pages could not show it: refused unless told to go on.
    const QString missing = dir.filePath("gone.jpg");
    const QString damaged = dir.filePath("damaged.jpg");
    writeBytes(damaged, QByteArray("\xFF\xD8\xFF\xE0 and then nothing a JPEG needs"));
    for (const QString& path : {missing, damaged}) {
        writeOldFile();
        try {
            save(GetParam(), documentOf({path}), output);
            ADD_FAILURE() << "saved with " << path.toStdString();
        } catch (const common::Error& e) {
            EXPECT_TRUE(e.message().startsWith("Cannot link to picture " + path + ": "))
                << e.message().toStdString();
        }
        expectOldFileAlone();
    }
    const ExportResult result =
        save(GetParam(), documentOf({missing}), output, false, {}, BrokenPicture::UsePlaceholder);
    ASSERT_EQ(result.failures.size(), 1);
    EXPECT_EQ(result.failures[0].path, missing);
    EXPECT_EQ(QUrl(links(GetParam(), readPackage(output)).value(0)).toLocalFile(), missing);
}

TEST_P(PackageExportTest, CancelAtAnyStepKeepsThePreviousFile)
{
    const QString jpeg =
        savePictureFile(solidImage({40, 20}, Qt::green), dir.filePath("b.jpg"), 96, "JPEG");
    const Document doc = documentOf({png, jpeg, png});
    QList<std::pair<int, int>> calls;
    save(GetParam(), doc, output, true, [&](int step, int count) {
        calls.append({step, count});
        return true;
    });
    ASSERT_GE(calls.size(), 3);
    EXPECT_EQ(calls[0], std::make_pair(1, 3));
    EXPECT_EQ(calls[1], std::make_pair(2, 3));
    EXPECT_EQ(calls[2], std::make_pair(3, 3)); // writing the package, asked again while copying
    for (int i = 3; i < calls.size(); ++i)
        EXPECT_EQ(calls[i], std::make_pair(3, 3));

    for (int stopAt = 1; stopAt <= calls.size(); ++stopAt) {
        writeOldFile();
        int asked = 0;
        const ExportResult result =
            save(GetParam(), doc, output, true, [&](int, int) { return ++asked < stopAt; });
        EXPECT_TRUE(result.cancelled) << stopAt;
        expectOldFileAlone();
    }
}

TEST_P(PackageExportTest, UnwritableTargetIsAClearError)
{
    const QString target = dir.filePath("no-such-folder/sheet.odt");
    try {
        save(GetParam(), documentOf({png}), target);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const common::Error& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot create file " + target + ": "))
            << e.message().toStdString();
    }
}

TEST_P(PackageExportTest, WriteErrorHalfWayKeepsThePreviousFile)
{
    // A picture no compression makes small, stored nine times over under a 64 KiB file limit.
    QImage noise(300, 300, QImage::Format_RGB32);
    QRandomGenerator random(5);
    for (int y = 0; y < noise.height(); ++y)
        random.fillRange(reinterpret_cast<quint32*>(noise.scanLine(y)), noise.width());
    const QString big = savePictureFile(noise, dir.filePath("noise.png"), 96, "PNG");
    ASSERT_GT(QFileInfo(big).size(), 65536 / 4);
    writeOldFile();

    QProcess child;
    child.start(QStringLiteral(SAVE_PACKAGE_UNDER_SIZE_LIMIT),
                {QStringLiteral("65536"), formatName(GetParam()), big, output});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString()
                                   << child.readAllStandardError().toStdString();
    expectOldFileAlone();
}

} // namespace
