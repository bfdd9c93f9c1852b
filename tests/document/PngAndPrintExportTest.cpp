#include "DocumentTestSupport.h"

#include "common/Error.h"
#include "document/PngExport.h"
#include "document/PrintExport.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

class OutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
        picture = savePictureFile(halvesImage({80, 40}, Qt::red, Qt::blue),
                                  dir.filePath("halves.png"), 96, "PNG");
        doc.setLeftMargin(72);
        doc.setTopMargin(72);
        for (int page = 0; page < 3; ++page) {
            if (page > 0)
                doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
            InlinePicture p(picture, QSizeF(60, 30), true, false);
            p.setWidth(144);
            p.setHeight(72);
            doc.insertPicture(doc.itemCount(), p);
        }
    }

    QStringList outputFiles() const
    {
        return QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    QString picture;
    Document doc;
};

} // namespace

TEST(PngPagePaths, NumberPagesBeforeTheExtensionWhenThereAreSeveral)
{
    const struct {
        const char* path;
        int count;
        QStringList expected;
    } cases[] = {
        {"/a/sheet.png", 1, {"/a/sheet.png"}},
        {"/a/sheet.png", 2, {"/a/sheet-1.png", "/a/sheet-2.png"}},
        {"/a/sheet", 2, {"/a/sheet-1", "/a/sheet-2"}},
        {"/a.b/sheet.x.png", 10, {"/a.b/sheet.x-01.png", "/a.b/sheet.x-02.png"}},
    };
    for (const auto& c : cases) {
        const QStringList paths = pngPagePaths(QString::fromUtf8(c.path), c.count);
        ASSERT_EQ(paths.size(), c.count) << c.path;
        for (int i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(paths[i], c.expected[i]) << c.path;
    }
}

TEST_F(OutputTest, SavesEveryPageAsAPngAtTheResolution)
{
    PngOptions options;
    options.dpi = 72;
    const ExportResult result = savePngPages(doc, dir.filePath("out/sheet.png"), options);
    EXPECT_EQ(result.pagesWritten, 3);
    ASSERT_EQ(outputFiles(), (QStringList{"sheet-1.png", "sheet-2.png", "sheet-3.png"}));
    const QImage page(dir.filePath("out/sheet-2.png"));
    EXPECT_EQ(page.size(), QSize(595, 842));
    EXPECT_EQ(page.pixel(100, 100), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(190, 100), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(300, 100), qRgb(255, 255, 255));
    EXPECT_NEAR(page.dotsPerMeterX() * 0.0254, 72.0, 0.1);
    EXPECT_TRUE(QFileInfo(dir.filePath("out/sheet-1.png")).permissions() & QFileDevice::ReadOther);
}

TEST_F(OutputTest, ACancelOrABrokenPictureLeavesEveryPreviousPngAsItWas)
{
    for (const char* name : {"sheet-1.png", "sheet-2.png"}) {
        QFile old(dir.filePath(QStringLiteral("out/") + QLatin1String(name)));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const auto unchanged = [&] {
        EXPECT_EQ(outputFiles(), (QStringList{"sheet-1.png", "sheet-2.png"}));
        for (const QString& name : outputFiles()) {
            QFile f(dir.filePath("out/" + name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("old")) << name.toStdString();
        }
    };
    PngOptions options;
    options.dpi = 20;
    const ExportResult result = savePngPages(doc, dir.filePath("out/sheet.png"), options,
                                             [](int page, int) { return page < 3; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.pagesWritten, 0);
    unchanged();

    ASSERT_TRUE(QFile::remove(picture));
    EXPECT_THROW(savePngPages(doc, dir.filePath("out/sheet.png"), options), common::Error);
    unchanged();
}

TEST_F(OutputTest, PrintsEveryPageOnAnA4Printer)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("out/printed.pdf");
    printer.setOutputFileName(path);
    int calls = 0;
    const ExportResult result = printDocument(doc, printer, {}, [&](int page, int count) {
        ++calls;
        EXPECT_EQ(count, 3);
        EXPECT_EQ(page, calls);
        return true;
    });
    EXPECT_EQ(result.pagesWritten, 3);
    EXPECT_TRUE(result.failures.isEmpty());

    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(
        QStringLiteral("Page size:\\s+59[56](\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))))
        << info.toStdString();

    // A broken picture prints as a placeholder and is reported.
    ASSERT_TRUE(QFile::remove(picture));
    QPrinter again(QPrinter::HighResolution);
    again.setOutputFormat(QPrinter::PdfFormat);
    again.setOutputFileName(dir.filePath("out/again.pdf"));
    EXPECT_EQ(printDocument(doc, again).failures.size(), 3);
}
