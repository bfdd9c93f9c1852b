// "Печать обеих сторон" through the system's print service: a private cupsd takes the jobs the
// same functions the document window calls send, and the spool shows what a printer would get.
#include "PrivateCups.h"
#include "document/ComposedDocuments.h"

#include "document/TwoSidedPrint.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace pagula;
using namespace pagula::document;

namespace
{

constexpr int Entries = 7; // front 1 3 5 7, back 2 4 6: four sheets, the last back blank

int greyOf(int entry)
{
    return 20 + 25 * entry;
}

const char* DuplexPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PAGULA.PPD"
*Manufacturer: "Pagula"
*Product: "(Pagula Test Duplex)"
*ModelName: "Pagula Test Duplex"
*ShortNickName: "Pagula Test Duplex"
*NickName: "Pagula Test Duplex"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*OpenUI *Duplex/2-Sided Printing: PickOne
*OrderDependency: 10 AnySetup *Duplex
*DefaultDuplex: None
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*Duplex DuplexTumble/Short Edge: "<</Duplex true/Tumble true>>setpagedevice"
*CloseUI: *Duplex
*DefaultResolution: 300dpi
)PPD";

// The entry each page of a spooled PDF shows, by the grey in the middle of the page; 0 for
// a blank page.
QList<int> pageEntries(const QString& pdf, const QString& folder)
{
    QProcess render;
    const QString prefix = folder + QStringLiteral("/page");
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"),
                                              QStringLiteral("10"), pdf, prefix});
    render.waitForFinished(60000);
    QList<int> entries;
    for (int page = 1;; ++page) {
        QString file;
        for (const QString& digits :
             {QString::number(page), QStringLiteral("%1").arg(page, 2, 10, QLatin1Char('0'))}) {
            if (QFileInfo::exists(prefix + QLatin1Char('-') + digits + QStringLiteral(".pgm")))
                file = prefix + QLatin1Char('-') + digits + QStringLiteral(".pgm");
        }
        if (file.isEmpty())
            break;
        const QImage image(file);
        QFile::remove(file);
        const int grey = qGray(image.pixel(image.width() / 2, image.height() / 2));
        int entry = -1;
        if (grey > 245)
            entry = 0;
        for (int k = 1; k <= Entries; ++k)
            if (std::abs(grey - greyOf(k)) <= 8)
                entry = k;
        entries << entry;
    }
    return entries;
}

struct Composed {
    QTemporaryDir dir;
    std::vector<std::shared_ptr<Document>> docs;

    Composed()
    {
        QStringList ticked;
        for (int k = 1; k <= Entries; ++k) {
            QImage img(30, 40, QImage::Format_Grayscale8);
            img.fill(greyOf(k));
            const QString file = dir.filePath(QStringLiteral("%1.png").arg(k));
            pagula::test::savePicture(img, file, "PNG");
            ticked << file + QLatin1Char('0');
        }
        document::test::LayoutChoice layout;
        layout.twoSided = true;
        layout.columns = 1;
        layout.rows = 1;
        layout.cellWidth = 150.0;
        layout.cellHeight = 200.0;
        layout.gutterSize = 0;
        layout.frame = false;
        docs = document::test::composeDocuments(ticked, layout, dir.filePath("Pagula-tmp.bmp"));
    }
};

} // namespace

TEST(TwoSidedPrint, ThroughAPrivateCupsDuplexAndByHand)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")))
        GTEST_FAIL() << "cupsd is not installed (scripts/deps.sh test installs it)";
    pagula::test::PrivateCups cups;
    ASSERT_TRUE(cups.error().isEmpty()) << cups.error().toStdString();
    qputenv("CUPS_SERVER", cups.server().toLatin1());

    const QString ppd = cups.folder() + QStringLiteral("/duplex.ppd");
    {
        QFile f(ppd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(DuplexPpd);
    }
    ASSERT_EQ(cups.addQueue(QStringLiteral("pagula_duplex"), ppd), QString());
    ASSERT_EQ(cups.addQueue(QStringLiteral("pagula_byhand")), QString());

    Composed composed;
    ASSERT_EQ(composed.docs.size(), 2u);
    const TwoSidedJob job(*composed.docs[0], *composed.docs[1]);
    ASSERT_EQ(job.sheetCount(), 4);

    QTemporaryDir pages;
    struct Printed {
        const char* what;
        int job;
        QList<int> entries;
        const char* sides;
    };
    QList<Printed> expected;
    int jobs = 0;

    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QStringLiteral("pagula_duplex"));
        ASSERT_TRUE(printer.isValid());
        ASSERT_EQ(twoSidedModeFor(printer), TwoSidedMode::Duplex);
        const ExportResult r = printDuplex(job, printer);
        EXPECT_EQ(r.pagesWritten, 8);
        expected.append({"duplex", ++jobs, {1, 2, 3, 4, 5, 6, 7, 0}, "two-sided-long-edge"});
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QStringLiteral("pagula_byhand"));
        ASSERT_TRUE(printer.isValid());
        ASSERT_EQ(twoSidedModeFor(printer), TwoSidedMode::ByHand);
        EXPECT_EQ(printFronts(job, printer).pagesWritten, 4);
        expected.append({"fronts", ++jobs, {1, 3, 5, 7}, "one-sided"});
        EXPECT_EQ(printBacks(job, SheetStacking::FaceDown, printer).pagesWritten, 4);
        expected.append({"backs, face down", ++jobs, {2, 4, 6, 0}, "one-sided"});
        EXPECT_EQ(printBacks(job, SheetStacking::FaceUp, printer).pagesWritten, 4);
        expected.append({"backs, face up", ++jobs, {0, 6, 4, 2}, "one-sided"});
    }

    for (const Printed& p : expected) {
        SCOPED_TRACE(p.what);
        const QString spooled = cups.jobDocument(p.job);
        ASSERT_TRUE(QFileInfo::exists(spooled));
        EXPECT_EQ(pageEntries(spooled, pages.path()), p.entries);
        const QString sides = cups.jobAttribute(p.job, "sides");
        // A one-sided job may carry no sides attribute at all.
        if (QLatin1String(p.sides) == QLatin1String("one-sided"))
            EXPECT_TRUE(sides.isEmpty() || sides == QLatin1String("one-sided"))
                << sides.toStdString();
        else
            EXPECT_EQ(sides, QLatin1String(p.sides));
    }
}
