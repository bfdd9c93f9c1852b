#include "DocumentTestSupport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Blocks of 20 x 20 pixels in random colours: detail that survives scaling and JPEG.
QImage blocks(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += 20)
        for (int x = 0; x < size.width(); x += 20)
            painter.fillRect(x, y, 20, 20, QColor::fromRgb(random.generate() | 0xff000000u));
    return image;
}

// Random pixels: a picture that no compression makes small.
QImage noise(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), size.width());
    return image;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes nothing after its first `capacity` bytes.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 capacity) : capacity_(capacity) { open(WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (written_ + length > capacity_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        written_ += length;
        return length;
    }

private:
    qint64 capacity_;
    qint64 written_ = 0;
};

class PdfExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
        output = dir.filePath(QStringLiteral("out/sheet.pdf"));
        colour = savePictureFile(blocks({600, 300}, 1), dir.filePath("colour.png"), 96, "PNG");
        doc.setLeftMargin(36);
        doc.setTopMargin(36);
        // Page 1: three 72 x 36 point pictures, automatic, greyscale, black and white.
        for (const ColorType type :
             {ColorType::Automatic, ColorType::Greyscale, ColorType::BlackAndWhite}) {
            InlinePicture picture(colour, QSizeF(450, 225), true, false);
            picture.setWidth(72);
            picture.setHeight(36);
            picture.setColorType(type);
            picture.setBorder(BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
            doc.insertPicture(doc.itemCount(), picture);
        }
        // Page 2: one more.
        doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
        doc.insertPicture(doc.itemCount(), InlinePicture(colour, QSizeF(450, 225), true, false));
    }

    void writeOldFile()
    {
        QFile old(output);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous file\n");
    }

    void expectOldFileAlone()
    {
        EXPECT_EQ(contents(output), QByteArray("the previous file\n"));
        EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("sheet.pdf")});
    }

    QTemporaryDir dir;
    QString output;
    QString colour;
    Document doc;
};

} // namespace

TEST_F(PdfExportTest, WritesA4PagesThatPdfinfoReads)
{
    std::vector<std::pair<int, int>> progress;
    const ExportResult result = savePdf(doc, output, {}, [&](int page, int count) {
        progress.emplace_back(page, count);
        return true;
    });
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.pagesWritten, 2);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));

    const QString info = runTool(QStringLiteral("pdfinfo"), {output});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page size:\\s+595.276 x 841.89 pts \\(A4\\)"))))
        << info.toStdString();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("sheet.pdf")});
}

TEST_F(PdfExportTest, StoresEachPictureAtTheResolutionAndWithItsColourKind)
{
    // The pictures of page 1 are small: the resolution for small pictures holds there when it
    // is higher, and the large picture of page 2 keeps its source's pixels either way.
    const struct {
        double pictureDpi, smallPictureDpi, dpi;
    } resolutions[] = {{300, 0, 300}, {150, 0, 150}, {150, 300, 300}, {300, 150, 300}};
    for (const auto& r : resolutions) {
        const double dpi = r.dpi;
        PdfOptions options;
        options.pictureDpi = r.pictureDpi;
        options.smallPictureDpi = r.smallPictureDpi;
        savePdf(doc, output, options);
        const QStringList lines =
            runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), output})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .mid(2);
        ASSERT_EQ(lines.size(), 4) << dpi;
        // page num type width height color comp bpc enc ...
        const QString side = QString::number(qRound(72 * dpi / 72));
        const QString half = QString::number(qRound(36 * dpi / 72));
        const struct {
            const char* color;
            const char* comp;
            const char* bpc;
            const char* enc;
        } expected[] = {
            {"rgb", "3", "8", "jpeg"}, {"gray", "1", "8", "jpeg"}, {"gray", "1", "1", "image"}};
        for (int i = 0; i < 3; ++i) {
            const QStringList f = lines[i].simplified().split(QLatin1Char(' '));
            ASSERT_GE(f.size(), 9);
            EXPECT_EQ(f[3], side) << dpi << " picture " << i;
            EXPECT_EQ(f[4], half) << dpi << " picture " << i;
            EXPECT_EQ(f[5], QLatin1String(expected[i].color)) << i;
            EXPECT_EQ(f[6], QLatin1String(expected[i].comp)) << i;
            EXPECT_EQ(f[7], QLatin1String(expected[i].bpc)) << i;
            EXPECT_EQ(f[8], QLatin1String(expected[i].enc)) << i;
        }
        // The picture on page 2 is larger than its source: kept at the source's pixels.
        EXPECT_TRUE(lines[3].simplified().startsWith(QStringLiteral("2 3 image 600 300")))
            << lines[3].toStdString();
    }
}

TEST_F(PdfExportTest, ShowsWhatThePageImageShows)
{
    PdfOptions sameResolution; // as the page image below: every page at 300 dpi
    sameResolution.smallPictureDpi = 0;
    savePdf(doc, output, sameResolution);
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), output, prefix});
    const QImage fromPdf(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(fromPdf.isNull());
    EXPECT_NEAR(fromPdf.width(), 2480, 1);
    EXPECT_NEAR(fromPdf.height(), 3508, 1);

    // In 300 dpi pixels the boxes are 300 x 150 from (150, 150); the top edges lie on row 150.
    for (int x = 160; x < 1040; x += 20) {
        EXPECT_LT(qGray(fromPdf.pixel(x, 150)), 100) << x;
        EXPECT_GT(qGray(fromPdf.pixel(x, 140)), 240) << x;
    }
    EXPECT_GT(qGray(fromPdf.pixel(1100, 200)), 240); // beside the pictures

    // Inside each box the PDF shows what the page image shows: colours, grey, and black and
    // white the right way round (JPEG and resampling differ a little, at block edges more).
    const QImage expected = renderPageImage(doc, layoutDocument(doc).pages[0], 300);
    for (int box = 0; box < 3; ++box) {
        int samples = 0, agreeing = 0;
        for (int y = 156; y < 296; y += 7) {
            for (int x = 156 + 300 * box; x < 444 + 300 * box; x += 7) {
                const QRgb a = fromPdf.pixel(x, y);
                const QRgb b = expected.pixel(x, y);
                ++samples;
                agreeing += std::abs(qRed(a) - qRed(b)) < 48 &&
                                    std::abs(qGreen(a) - qGreen(b)) < 48 &&
                                    std::abs(qBlue(a) - qBlue(b)) < 48
                                ? 1
                                : 0;
            }
        }
        EXPECT_GT(agreeing, samples * 85 / 100) << "box " << box;
    }
}

TEST_F(PdfExportTest, AWriteFailureHalfWayKeepsThePreviousFile)
{
    writeOldFile();
    const QString noisy =
        savePictureFile(noise({600, 300}, 2), dir.filePath("noise.png"), 96, "PNG");
    QProcess child;
    child.start(QStringLiteral(SAVE_UNDER_SIZE_LIMIT), {QStringLiteral("20000"), noisy, output});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0)
        << "1: saved, 2: other failure: " << child.readAllStandardOutput().toStdString();
    expectOldFileAlone();
}

TEST_F(PdfExportTest, AFailingDeviceStopsTheExportWithItsReason)
{
    FullDevice device(5000);
    try {
        writePdf(doc, device);
        ADD_FAILURE() << "the export went on past the failure";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No space left on device"));
    }
}

TEST_F(PdfExportTest, ABrokenPictureOrACancelKeepsThePreviousFile)
{
    writeOldFile();

    const ExportResult cancelled = savePdf(doc, output, {}, [](int page, int) { return page < 2; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.pagesWritten, 1);
    expectOldFileAlone();

    ASSERT_TRUE(QFile::remove(colour));
    try {
        savePdf(doc, output);
        ADD_FAILURE() << "saved with a broken picture";
    } catch (const common::Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot draw picture %1: ").arg(colour)))
            << e.message().toStdString();
    }
    expectOldFileAlone();

    PdfOptions placeholders;
    placeholders.brokenPicture = BrokenPicture::UsePlaceholder;
    const ExportResult result = savePdf(doc, output, placeholders);
    EXPECT_EQ(result.failures.size(), 4);
    EXPECT_TRUE(contents(output).startsWith("%PDF-1.4"));
}
