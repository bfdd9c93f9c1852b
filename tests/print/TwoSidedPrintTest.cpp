// "Печать обеих сторон" through the system's print service: a private cupsd takes the jobs the
// same functions the document window calls send, and the spool shows what a printer would get.
#include "PrivateCups.h"
#include "document/ComposedDocuments.h"

#include "app/docwindow/DocumentWindow.h"
#include "document/CalibrationSheet.h"
#include "document/PrintJobOptions.h"
#include "document/PrintQueue.h"
#include "document/TwoSidedPrint.h"
#include "support/TestSupport.h"
#include "widgets/ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace pagula;
using namespace pagula::document;

namespace
{

constexpr int Entries = 7; // front 1 3 5 7, back 2 4 6: four sheets, the last back blank

int greyOf(int entry)
{
    return 20 + 25 * entry;
}

// A PostScript printer's PPD: its paper sizes (name, width, height in points, unprintable
// margin in points), the default, and whether it has a duplex unit. Queues made with it print
// through the system's filters into PDF (pdftopdf: paper, scaling, sides, order).
QByteArray ppd(const QByteArray& model, const QList<std::tuple<QByteArray, int, int, int>>& sizes,
               const QByteArray& defaultSize, bool duplex)
{
    QByteArray text = "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                      "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
                      "*PCFileName: \"PAGULA.PPD\"\n*Manufacturer: \"Pagula\"\n";
    for (const char* key : {"Product", "ModelName", "ShortNickName", "NickName"})
        text += QByteArray("*") + key + ": \"" + model + "\"\n";
    text += "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
            "*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
            "*TTRasterizer: Type42\n"
            "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n";
    for (const char* option : {"PageSize", "PageRegion"}) {
        text += QByteArray("*OpenUI *") + option + ": PickOne\n*OrderDependency: 10 AnySetup *" +
                option + "\n*Default" + option + ": " + defaultSize + "\n";
        for (const auto& [name, w, h, margin] : sizes)
            text += QByteArray("*") + option + " " + name + ": \"<</PageSize[" +
                    QByteArray::number(w) + " " + QByteArray::number(h) + "]>>setpagedevice\"\n";
        text += QByteArray("*CloseUI: *") + option + "\n";
    }
    text +=
        "*DefaultImageableArea: " + defaultSize + "\n*DefaultPaperDimension: " + defaultSize + "\n";
    for (const auto& [name, w, h, margin] : sizes) {
        text += "*ImageableArea " + name + ": \"" + QByteArray::number(margin) + " " +
                QByteArray::number(margin) + " " + QByteArray::number(w - margin) + " " +
                QByteArray::number(h - margin) + "\"\n";
        text += "*PaperDimension " + name + ": \"" + QByteArray::number(w) + " " +
                QByteArray::number(h) + "\"\n";
    }
    if (duplex)
        text += "*OpenUI *Duplex/2-Sided Printing: PickOne\n*OrderDependency: 10 AnySetup *Duplex\n"
                "*DefaultDuplex: None\n*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
                "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
                "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
                "*CloseUI: *Duplex\n";
    return text + "*DefaultResolution: 300dpi\n";
}

const std::tuple<QByteArray, int, int, int> A4{"A4", 595, 842, 0};
// As many drivers have them: a Letter default, A4 with unprintable margins.
const std::tuple<QByteArray, int, int, int> Letter{"Letter", 612, 792, 12};
const std::tuple<QByteArray, int, int, int> A4WithMargins{"A4", 595, 842, 12};
const std::tuple<QByteArray, int, int, int> Legal{"Legal", 612, 1008, 12};

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

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The box around what is printed on a page of a PDF, in mm from the top left corner, and the
// page's size in mm.
struct PrintedPage {
    QSizeF pageMm;
    QRectF inkMm;
};

QList<PrintedPage> printedPages(const QString& pdf, const QString& folder)
{
    QProcess render;
    const QString prefix = folder + QStringLiteral("/ink");
    // 25.4 pixels per inch: one pixel a millimetre.
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"),
                                              QStringLiteral("25.4"), pdf, prefix});
    render.waitForFinished(60000);
    QList<PrintedPage> pages;
    for (const QString& name :
         QDir(folder).entryList({QStringLiteral("ink-*.pgm")}, QDir::Files, QDir::Name)) {
        const QImage image(folder + QLatin1Char('/') + name);
        QFile::remove(folder + QLatin1Char('/') + name);
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 200)
                    ink |= QRect(x, y, 1, 1);
        pages.append({QSizeF(image.size()), QRectF(ink)});
    }
    return pages;
}

class PrintService : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) ||
            !QFileInfo::exists(QStringLiteral("/usr/lib/cups/filter/pdftopdf")))
            GTEST_FAIL() << "cupsd or cups-filters is not installed (scripts/deps.sh test)";
        ASSERT_TRUE(cups.error().isEmpty()) << cups.error().toStdString();
        qputenv("CUPS_SERVER", cups.server().toLatin1());
        // libcups keeps the server it first used for the thread; this test's is another.
        cupsSetServer(cups.server().toLatin1().constData());
        ASSERT_EQ(composed.docs.size(), 2u);
    }

    // A queue made with a PPD of the given sizes; printing into the keeping back end or stopped.
    void addQueue(const char* name, const QList<std::tuple<QByteArray, int, int, int>>& sizes,
                  const QByteArray& defaultSize, bool duplex, bool printing)
    {
        const QString file = cups.folder() + QStringLiteral("/%1.ppd").arg(QLatin1String(name));
        ASSERT_TRUE(writeFile(file, ppd(name, sizes, defaultSize, duplex)));
        const QString queue = QString::fromLatin1(name);
        ASSERT_EQ(printing ? cups.addPrintingQueue(queue, file) : cups.addQueue(queue, file),
                  QString());
    }

    pagula::test::PrivateCups cups;
    Composed composed;
    QTemporaryDir pages;
};

} // namespace

TEST_F(PrintService, BothSidesDuplexAndByHandWithTheBacksInTheOrderTheStackReturns)
{
    addQueue("pagula_duplex", {A4}, "A4", true, false);
    ASSERT_EQ(cups.addQueue(QStringLiteral("pagula_byhand")), QString()); // raw
    const TwoSidedJob job(*composed.docs[0], *composed.docs[1]);
    ASSERT_EQ(job.sheetCount(), 4);

    struct Printed {
        const char* what;
        int job;
        QList<int> entries;
        const char* sides;
        const char* outputOrder; // empty: the printer's own
    };
    QList<Printed> expected;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QStringLiteral("pagula_duplex"));
        ASSERT_TRUE(printer.isValid());
        ASSERT_EQ(twoSidedModeFor(printer), TwoSidedMode::Duplex);
        const ExportResult r = printDuplex(job, printer);
        EXPECT_EQ(r.pagesWritten, 8);
        expected.append(
            {"duplex", r.printJob, {1, 2, 3, 4, 5, 6, 7, 0}, "two-sided-long-edge", ""});
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QStringLiteral("pagula_byhand"));
        ASSERT_TRUE(printer.isValid());
        ASSERT_EQ(twoSidedModeFor(printer), TwoSidedMode::ByHand);
        ExportResult r = printFronts(job, printer);
        EXPECT_EQ(r.pagesWritten, 4);
        expected.append({"fronts", r.printJob, {1, 3, 5, 7}, "one-sided", "normal"});
        // Turned over, sheet 1 is on top; as it lay, sheet 4.
        r = printBacks(job, StackReturn::TurnedOver, printer);
        expected.append(
            {"backs, stack turned over", r.printJob, {2, 4, 6, 0}, "one-sided", "normal"});
        r = printBacks(job, StackReturn::AsItLay, printer);
        expected.append(
            {"backs, stack as it lay", r.printJob, {0, 6, 4, 2}, "one-sided", "normal"});
    }

    for (const Printed& p : expected) {
        SCOPED_TRACE(p.what);
        ASSERT_GT(p.job, 0);
        const QString spooled = cups.jobDocument(p.job);
        ASSERT_TRUE(QFileInfo::exists(spooled));
        EXPECT_EQ(pageEntries(spooled, pages.path()), p.entries);
        EXPECT_EQ(cups.jobAttribute(p.job, "sides"), QLatin1String(p.sides));
        EXPECT_EQ(cups.jobAttribute(p.job, "media"), QStringLiteral("A4"));
        EXPECT_EQ(cups.jobAttribute(p.job, "print-scaling"), QStringLiteral("none"));
        EXPECT_EQ(cups.jobAttribute(p.job, "outputorder"), QLatin1String(p.outputOrder));
        EXPECT_EQ(jobState(p.job).stage, JobState::Waiting); // the queues are stopped
    }
    // A job cancelled at the print service is known as such.
    ASSERT_EQ(cups.cancelJob(expected.first().job), QString());
    EXPECT_EQ(jobState(expected.first().job).stage, JobState::Cancelled);
}

// Each cell of the documents is 150 x 200 mm; every page must reach the back end as A4 with
// its cell at that size, whatever paper the queue defaults to.
TEST_F(PrintService, EveryJobIsA4At100PercentOrRefusedBeforePrinting)
{
    addQueue("pagula_letter", {Letter, A4WithMargins, Legal}, "Letter", false, true);
    addQueue("pagula_letter_only", {Letter, Legal}, "Letter", false, true);
    addQueue("pagula_refusing", {A4}, "A4", true, true);
    ASSERT_EQ(cups.rejectJobs(QStringLiteral("pagula_refusing")), QString());

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QStringLiteral("pagula_letter"));
    ASSERT_TRUE(printer.isValid());
    EXPECT_TRUE(takesA4(printer));
    printer.setPageSize(QPageSize(QPageSize::Letter)); // as the print dialog leaves it
    const ExportResult r = printDocument(*composed.docs[0], printer);
    ASSERT_GT(r.printJob, 0);
    const pagula::test::PrivateCups::Kept kept = cups.kept(r.printJob);
    ASSERT_FALSE(kept.document.isEmpty()) << kept.options.toStdString();
    const QStringList options = kept.options.split(QLatin1Char(' '));
    for (const char* option : {"media=A4", "PageSize=A4", "print-scaling=none"})
        EXPECT_TRUE(options.contains(QLatin1String(option)))
            << option << " in " << kept.options.toStdString();
    EXPECT_FALSE(kept.options.contains(QStringLiteral("sides=two"))) << kept.options.toStdString();
    const QList<PrintedPage> printed = printedPages(kept.document, pages.path());
    ASSERT_EQ(printed.size(), 4);
    for (const PrintedPage& page : printed) {
        EXPECT_NEAR(page.pageMm.width(), 210, 1);
        EXPECT_NEAR(page.pageMm.height(), 297, 1);
        EXPECT_NEAR(page.inkMm.width(), 150, 1.5);
        EXPECT_NEAR(page.inkMm.height(), 200, 1.5);
    }
    EXPECT_EQ(jobState(r.printJob).stage, JobState::Completed);

    // No A4 at all: the window says so before anything is sent.
    QPrinter letterOnly(QPrinter::HighResolution);
    letterOnly.setPrinterName(QStringLiteral("pagula_letter_only"));
    EXPECT_FALSE(takesA4(letterOnly));

    // A queue that does not accept jobs: refused with the service's reason, nothing printed.
    QPrinter refusing(QPrinter::HighResolution);
    refusing.setPrinterName(QStringLiteral("pagula_refusing"));
    try {
        printDocument(*composed.docs[0], refusing);
        ADD_FAILURE() << "a refused job passed as printed";
    } catch (const PrintRefused& e) {
        EXPECT_EQ(e.queue(), QStringLiteral("pagula_refusing"));
        EXPECT_TRUE(e.reason().contains(QStringLiteral("not accepting"))) << e.what();
    }
    // (Qt's printer takes the default queue for a name it does not know.)
    EXPECT_THROW(submitPdf(QStringLiteral("pagula_missing"), kept.document, {}, {}), PrintRefused);
}

namespace
{

// The document window with its questions answered: the printer chosen by queue name, the
// stack put back turned over.
class PrintingWindow : public pagula::docwindow::DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

    QString queue;
    int returnQuestions = 0;

protected:
    bool askPrinter(QPrinter& printer, bool) override
    {
        printer.setPrinterName(queue);
        return true;
    }
    std::optional<StackReturn> askReturnStack(int, pagula::docwindow::PrintJobWatch*) override
    {
        ++returnQuestions;
        return StackReturn::TurnedOver;
    }
    CloseAnswer askSaveBeforeClose() override { return CloseAnswer::Discard; }
};

} // namespace

// What the user meets: the calibration sheet as one two-sided job where the printer can, by
// hand where it cannot; a printer without A4 or a refusing queue said so, nothing printed.
TEST_F(PrintService, TheWindowPrintsTheCalibrationSheetTwoSidedAndReportsRefusals)
{
    addQueue("pagula_duplex", {A4}, "A4", true, false);
    ASSERT_EQ(cups.addQueue(QStringLiteral("pagula_byhand")), QString());
    addQueue("pagula_letter_only", {Letter, Legal}, "Letter", false, false);
    addQueue("pagula_refusing", {A4}, "A4", true, false);
    ASSERT_EQ(cups.rejectJobs(QStringLiteral("pagula_refusing")), QString());
    QStringList reports;
    pagula::widgets::ErrorReport::setHook([&](const QString& text) { reports << text; });

    auto* window = new PrintingWindow(makeCalibrationSheet(composed.dir.path()),
                                      QStringLiteral("лист калибровки"));
    window->setSheetSides();

    window->queue = QStringLiteral("pagula_duplex");
    ASSERT_TRUE(window->print());
    EXPECT_EQ(cups.jobAttribute(1, "sides"), QStringLiteral("two-sided-long-edge"));
    EXPECT_EQ(cups.jobAttribute(1, "media"), QStringLiteral("A4"));
    EXPECT_EQ(pageEntries(cups.jobDocument(1), pages.path()).size(), 2); // one sheet

    window->queue = QStringLiteral("pagula_byhand");
    ASSERT_TRUE(window->print());
    EXPECT_EQ(window->returnQuestions, 1);
    for (int job : {2, 3})
        EXPECT_EQ(cups.jobAttribute(job, "sides"), QStringLiteral("one-sided"));
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();

    window->queue = QStringLiteral("pagula_letter_only");
    EXPECT_FALSE(window->print());
    window->queue = QStringLiteral("pagula_refusing");
    EXPECT_FALSE(window->print());
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("не печатает на листах A4")))
        << reports[0].toStdString();
    EXPECT_TRUE(
        reports[1].startsWith(QStringLiteral("Принтер «pagula_refusing» не принял задание")))
        << reports[1].toStdString();
    EXPECT_TRUE(reports[1].contains(QStringLiteral("not accepting"))) << reports[1].toStdString();
    EXPECT_FALSE(QFileInfo::exists(cups.jobDocument(4))); // nothing more was sent

    pagula::widgets::ErrorReport::setHook({});
    delete window;
}

// What the print dialog chose goes with the job, except what would print part of a document,
// shrink it, put pages together or change their order or sides.
TEST(JobOptions, KeepTheDialogsChoicesThatLeaveThePagesWholeAndAtTheirSize)
{
    const QStringList dialog{"page-ranges",  "1-1",    "number-up",   "2",
                             "job-priority", "80",     "PageSize",    "Letter",
                             "Duplex",       "None",   "outputorder", "reverse",
                             "Resolution",   "600dpi", "fit-to-page", "true"};
    JobRequest request;
    request.sides = Sides::TwoSidedLongEdge;
    request.copies = 2;
    request.collate = true;
    const JobOptions expected{{"job-priority", "80"},
                              {"Resolution", "600dpi"},
                              {"media", "A4"},
                              {"print-scaling", "none"},
                              {"fit-to-page", "false"},
                              {"sides", "two-sided-long-edge"},
                              {"copies", "2"},
                              {"multiple-document-handling", "separate-documents-collated-copies"}};
    EXPECT_EQ(jobOptions(dialog, request), expected);
    request.pagesInSentOrder = true;
    EXPECT_EQ(jobOptions({}, request).last(),
              (std::pair<QByteArray, QByteArray>{"outputorder", "normal"}));
}
