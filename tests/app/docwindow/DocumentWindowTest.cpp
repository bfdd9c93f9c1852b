#include "app/docwindow/DocumentWindow.h"
#include "app/docwindow/PageView.h"

#include "DocWindowTestSupport.h"

#include "document/FlowLayout.h"
#include "widgets/ErrorReport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <set>

using namespace pagula;
using namespace pagula::docwindow;
using namespace pagula::docwindow::test;

namespace
{

// Answers the window's questions as a test tells it to.
class TestWindow : public DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

    std::optional<QString> savePath; // nothing: the user cancels the file dialog
    bool useRealFileDialog = false;
    CloseAnswer closeAnswer = CloseAnswer::Cancel;
    QString printFile; // empty: the user cancels the print dialog
    int closeQuestions = 0;
    int saveQuestions = 0;
    int printQuestions = 0;
    QString suggested;            // the path the last save question offered
    bool printedTwoSided = false; // the last print question's

protected:
    std::optional<SaveTarget> askSaveTarget(const QString& title, const QList<SaveFormat>& formats,
                                            const QString& suggestedPath) override
    {
        ++saveQuestions;
        suggested = suggestedPath;
        if (useRealFileDialog)
            return DocumentWindow::askSaveTarget(title, formats, suggestedPath);
        if (!savePath)
            return std::nullopt;
        return resolveSaveTarget(*savePath, formats.first().filter, formats);
    }
    CloseAnswer askSaveBeforeClose() override
    {
        ++closeQuestions;
        return closeAnswer;
    }
    bool askPrinter(QPrinter& printer, bool twoSided) override
    {
        ++printQuestions;
        printedTwoSided = twoSided;
        if (printFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return true;
    }
};

QString pdfInfo(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool sameColour(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

class DocumentWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        widgets::ErrorReport::setHook([this](const QString& text) { errors.append(text); });
    }

    void TearDown() override
    {
        for (const QPointer<TestWindow>& window : windows)
            delete window.data(); // no question: a test's window is simply gone
        widgets::ErrorReport::setHook({});
    }

    // A document of `pictures` pictures in rows of three; nine make a page.
    std::shared_ptr<document::Document> colourDocument(int pictures = 27)
    {
        grid = makeColourGrid(dir.path(), pictures);
        return gridDocument(grid.paths, 3, {GridCellWidth, GridCellHeight});
    }

    TestWindow* open(std::shared_ptr<document::Document> doc, const QString& label = {},
                     document::PictureSource::Decoder decoder = {}, QSize size = {900, 900})
    {
        auto* window = new TestWindow(std::move(doc), label, std::move(decoder));
        windows.append(window);
        window->resize(size);
        window->showAndActivate();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    static bool waitUntilShown(TestWindow* window)
    {
        return QTest::qWaitFor([&] { return window->pageView()->missingVisibleBands() == 0; },
                               20000);
    }

    static bool isGone(const QPointer<TestWindow>& window)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    QTemporaryDir dir;
    ColourGrid grid;
    QStringList errors;
    QList<QPointer<TestWindow>> windows;
};

TEST_F(DocumentWindowTest, IsAnIndependentWindowTitledPagulaAndNamedBySide)
{
    EXPECT_EQ(DocumentWindow::titleFor({}), QStringLiteral("Pagula"));
    TestWindow* front = open(colourDocument(9));
    TestWindow* back = open(colourDocument(9), QStringLiteral("обратная сторона"));
    EXPECT_EQ(front->windowTitle(), QStringLiteral("Pagula"));
    EXPECT_EQ(back->windowTitle(), QStringLiteral("Pagula - обратная сторона"));
    // The windows of the third run tell themselves apart from those of earlier runs.
    front->setRunNumber(3);
    back->setRunNumber(3);
    EXPECT_EQ(front->windowTitle(), QStringLiteral("Pagula - документ 3"));
    EXPECT_EQ(back->windowTitle(), QStringLiteral("Pagula - документ 3, обратная сторона"));
    for (TestWindow* window : {front, back}) {
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->parentWidget(), nullptr);
        EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(DocumentWindowTest, ShowsThePageCountAndThePicturesOfTheVisiblePage)
{
    TestWindow* window = open(colourDocument(27));
    PageView* view = window->pageView();
    EXPECT_EQ(view->pageCount(), 3);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("pageCountLabel"))->text().trimmed(),
              QStringLiteral("из 3"));
    EXPECT_EQ(window->findChild<QSpinBox*>(QStringLiteral("pageNumber"))->maximum(), 3);
    ASSERT_TRUE(waitUntilShown(window));

    const QImage shot = view->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(128, 128, 128)); // the grey around the pages
    EXPECT_EQ(shot.pixelColor(view->viewportPointFor(0, {8, 8}).toPoint()), QColor(Qt::white));
    const document::DocumentLayout layout =
        document::layoutDocument(*gridDocument(grid.paths, 3, {GridCellWidth, GridCellHeight}));
    int checked = 0;
    for (const document::PlacedPicture& placed : layout.pages[0].pictures()) {
        const QPoint centre = view->viewportPointFor(0, placed.box.center()).toPoint();
        if (!shot.rect().contains(centre))
            continue;
        const int index =
            grid.paths.indexOf(gridDocument(grid.paths, 3, {GridCellWidth, GridCellHeight})
                                   ->pictureAt(placed.itemIndex)
                                   .path());
        EXPECT_TRUE(sameColour(shot.pixelColor(centre), grid.colours[index]))
            << "picture " << index;
        ++checked;
    }
    EXPECT_GE(checked, 6);
}

TEST_F(DocumentWindowTest, AnEmptyDocumentShowsOneBlankPageAndSavesIt)
{
    // What a run with no ticked entry makes.
    TestWindow* window = open(std::make_shared<document::Document>());
    PageView* view = window->pageView();
    EXPECT_EQ(view->pageCount(), 1);
    ASSERT_TRUE(waitUntilShown(window));
    const QImage shot = view->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(view->viewportPointFor(0, {300, 400}).toPoint()), QColor(Qt::white));
    window->savePath = dir.filePath(QStringLiteral("empty.pdf"));
    ASSERT_TRUE(window->saveAs());
    EXPECT_TRUE(
        pdfInfo(*window->savePath).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

TEST_F(DocumentWindowTest, RendersOnlyWhatIsShownWhenScrollingThroughThreeHundredPages)
{
    grid = makeColourGrid(dir.path(), 300);
    auto doc = gridDocument(grid.paths, 1, {300, 500}); // a picture a page
    RecordingDecoder recorder;
    TestWindow* window = open(doc, {}, recorder.decoder());
    PageView* view = window->pageView();
    ASSERT_EQ(view->pageCount(), 300);
    ASSERT_TRUE(waitUntilShown(window));

    auto decodedPages = [&] {
        std::set<int> pages;
        for (const QString& path : recorder.decodedPaths())
            pages.insert(static_cast<int>(grid.paths.indexOf(path)));
        return pages;
    };
    auto visiblePages = [&] {
        const QRect visible(
            QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()),
            view->viewport()->size());
        return view->pageGeometry().pagesIn(visible);
    };
    const PageSpan first = visiblePages();
    for (int page : decodedPages())
        EXPECT_TRUE(first.contains(page)) << page;

    // Page after page while page 100 is still being rendered: the pages passed on the way
    // are dropped before they start.
    struct OpenGate {
        RecordingDecoder& r;
        ~OpenGate() { r.release(); }
    } gate{recorder};
    recorder.hold();
    recorder.clear();
    view->goToPage(100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.isHeld(); }, 10000));
    for (int page = 110; page < 300; page += 10) {
        view->goToPage(page);
        QTest::qWait(5);
    }
    view->goToPage(299);
    QTest::qWait(5);
    recorder.release();
    ASSERT_TRUE(waitUntilShown(window));
    const PageSpan last = visiblePages();
    EXPECT_TRUE(last.contains(299));
    for (int page : decodedPages())
        EXPECT_TRUE(page == 100 || last.contains(page)) << "decoded page " << page;
    EXPECT_LE(view->renderedBandCount(), 20);
    EXPECT_LE(view->tileCache().bytes(), view->tileCache().budget());
}

TEST_F(DocumentWindowTest, KeysTheFieldAndTheButtonsMoveBetweenPagesAndReachTheCommands)
{
    TestWindow* window = open(colourDocument(27));
    PageView* view = window->pageView();
    auto* number = window->findChild<QSpinBox*>(QStringLiteral("pageNumber"));
    auto scrolledTo = [&](int page) {
        return view->currentPage() == page && number->value() == page + 1 &&
               view->verticalScrollBar()->value() ==
                   std::min(view->pageGeometry().scrollPositionFor(page),
                            view->verticalScrollBar()->maximum());
    };
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    view->setFocus();

    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_TRUE(scrolledTo(1));
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_TRUE(scrolledTo(2));
    EXPECT_FALSE(window->findChild<QAction*>(QStringLiteral("nextPageAction"))->isEnabled());
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_TRUE(scrolledTo(1));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_TRUE(scrolledTo(0));
    EXPECT_FALSE(window->findChild<QAction*>(QStringLiteral("previousPageAction"))->isEnabled());

    number->setValue(3);
    EXPECT_TRUE(scrolledTo(2));
    window->findChild<QAction*>(QStringLiteral("previousPageAction"))->trigger();
    EXPECT_TRUE(scrolledTo(1));

    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->saveQuestions, 1);
    QTest::keyClick(view, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window->printQuestions, 1);
    const double percent = view->zoomPercent();
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(view->zoomPercent(), percent);
    QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(view->zoomPercent(), percent, 1e-9);
    EXPECT_EQ(view->currentPage(), 1); // zooming keeps the page in the middle

    // Scrolling by hand moves the page number along.
    view->verticalScrollBar()->setValue(view->pageGeometry().pageRect(2).top() - 100);
    EXPECT_EQ(view->currentPage(), 2);
    EXPECT_EQ(number->value(), 3);

    // Ctrl+W and Esc close the window (here the unsaved document asks and stays).
    QTest::keyClick(view, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(window->closeQuestions, 1);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(window->closeQuestions, 2);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(DocumentWindowTest, TheZoomListTypedPercentagesCtrlWheelAndCtrlPlusZoom)
{
    TestWindow* window = open(colourDocument(27));
    PageView* view = window->pageView();
    auto* zoom = window->findChild<QComboBox*>(QStringLiteral("zoom"));
    const double pageWidthAt100 = 595.2756 * view->screenDpi() / 72.0;
    EXPECT_EQ(zoom->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(view->pageGeometry().pageSize().width(), std::lround(pageWidthAt100));

    view->goToPage(1);
    zoom->setCurrentIndex(6);
    emit zoom->activated(6); // "200%", as a click in the list does
    EXPECT_NEAR(view->zoomPercent(), 200.0, 1e-9);
    EXPECT_EQ(view->pageGeometry().pageSize().width(), std::lround(2 * pageWidthAt100));
    EXPECT_EQ(view->currentPage(), 1); // the page stays where the user was

    zoom->lineEdit()->setText(QStringLiteral("80 %"));
    emit zoom->lineEdit()->editingFinished();
    EXPECT_NEAR(view->zoomPercent(), 80.0, 1e-9);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("80%"));
    zoom->lineEdit()->setText(QStringLiteral("много"));
    emit zoom->lineEdit()->editingFinished();
    EXPECT_NEAR(view->zoomPercent(), 80.0, 1e-9);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("80%"));

    const QPointF centre(view->viewport()->rect().center());
    QWheelEvent up(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &up);
    EXPECT_NEAR(view->zoomPercent(), 100.0, 1e-9);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("100%"));
    // Half notches from a touchpad add up to one step.
    QWheelEvent half(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -60),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &half);
    EXPECT_NEAR(view->zoomPercent(), 100.0, 1e-9);
    QApplication::sendEvent(view->viewport(), &half);
    EXPECT_NEAR(view->zoomPercent(), 75.0, 1e-9);

    window->findChild<QAction*>(QStringLiteral("zoomInAction"))->trigger();
    EXPECT_NEAR(view->zoomPercent(), 100.0, 1e-9);
    window->findChild<QAction*>(QStringLiteral("zoomInAction"))->trigger();
    EXPECT_NEAR(view->zoomPercent(), 125.0, 1e-9);

    zoom->setCurrentIndex(0);
    emit zoom->activated(0); // "По ширине"
    EXPECT_EQ(view->pageGeometry().pageSize().width(), view->viewport()->width() - 24);
    window->resize(900, 900);
    QTest::qWait(50);
    EXPECT_EQ(view->pageGeometry().pageSize().width(), view->viewport()->width() - 24);
    zoom->setCurrentIndex(1);
    emit zoom->activated(1); // "Страница целиком"
    EXPECT_LE(view->pageGeometry().pageSize().height(), view->viewport()->height() - 24);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("Страница целиком"));
    ASSERT_TRUE(waitUntilShown(window));
}

TEST_F(DocumentWindowTest, SavesAPdfOfEveryPageAndThenClosesWithoutAsking)
{
    TestWindow* window = open(colourDocument(27));
    QPointer<TestWindow> guard(window);
    window->savePath = dir.filePath(QStringLiteral("sheet")); // the suffix is added
    ASSERT_TRUE(window->saveAs());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    EXPECT_EQ(window->savedPath(), pdf);
    const QString info = pdfInfo(pdf);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << info.toStdString();
    // Offered in the pictures' folder under its name, which is also the PDF's title.
    const QString folderName = QDir(dir.path()).dirName();
    EXPECT_EQ(window->suggested, dir.filePath(folderName));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+") + folderName + "\n")))
        << info.toStdString();

    EXPECT_TRUE(window->close());
    EXPECT_EQ(window->closeQuestions, 0);
    EXPECT_TRUE(isGone(guard));
}

TEST_F(DocumentWindowTest, AFailedSaveIsReportedAndKeepsThePreviousFile)
{
    TestWindow* window = open(colourDocument(9));
    const QString old = dir.filePath(QStringLiteral("old.pdf"));
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the previous file");
    }
    ASSERT_TRUE(QFile::remove(grid.paths[4])); // a picture gone since the run
    window->savePath = old;
    EXPECT_FALSE(window->saveAs());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot draw picture ") + grid.paths[4]))
        << errors[0].toStdString();
    EXPECT_EQ(readAll(old), QByteArray("the previous file"));
    EXPECT_FALSE(window->isSaved());
    const QStringList left = QDir(dir.path()).entryList({QStringLiteral("*.pdf*")}, QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("old.pdf")}); // no temporary file left

    window->savePath = dir.filePath(QStringLiteral("no such folder/x.pdf"));
    EXPECT_FALSE(window->saveAs());
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Cannot create file")))
        << errors[1].toStdString();
}

TEST_F(DocumentWindowTest, ABrokenPictureIsShownAsAPlaceholderAndCountedOnce)
{
    auto doc = colourDocument(9);
    ASSERT_TRUE(QFile::remove(grid.paths[0]));
    TestWindow* window = open(doc);
    auto* line = window->findChild<QLabel*>(QStringLiteral("failureLine"));
    ASSERT_TRUE(waitUntilShown(window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return line->isVisible(); }, 5000));
    EXPECT_EQ(line->text(), QStringLiteral("Не удалось показать рисунков: 1"));
    EXPECT_TRUE(line->toolTip().startsWith(grid.paths[0])) << line->toolTip().toStdString();

    // Drawn again at another zoom: still one picture.
    window->pageView()->zoomIn();
    ASSERT_TRUE(waitUntilShown(window));
    QTest::qWait(50);
    EXPECT_EQ(line->text(), QStringLiteral("Не удалось показать рисунков: 1"));
    EXPECT_EQ(window->pageView()->failedPictureCount(), 1);
}

TEST_F(DocumentWindowTest, AWholeDocumentWithoutBrokenPicturesHasNoFailureLine)
{
    TestWindow* window = open(colourDocument(9));
    ASSERT_TRUE(waitUntilShown(window));
    QTest::qWait(50);
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("failureLine"))->isVisible());
}

struct CloseCase {
    const char* name;
    DocumentWindow::CloseAnswer answer;
    bool fileChosen;
    bool saveFails;
    bool closes;
};

class ClosingAnUnsavedDocument : public DocumentWindowTest,
                                 public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(ClosingAnUnsavedDocument, AsksFirstAndClosesOnlyWhenTheDocumentIsSafeOrDropped)
{
    const CloseCase& c = GetParam();
    TestWindow* window = open(colourDocument(9));
    QPointer<TestWindow> guard(window);
    window->closeAnswer = c.answer;
    const QString target = c.saveFails ? dir.filePath(QStringLiteral("missing/x.pdf"))
                                       : dir.filePath(QStringLiteral("closing.pdf"));
    if (c.fileChosen)
        window->savePath = target;

    EXPECT_EQ(window->close(), c.closes);
    if (guard) {
        EXPECT_EQ(window->closeQuestions, 1);
    }
    EXPECT_EQ(isGone(guard), c.closes);
    const bool saved =
        c.answer == DocumentWindow::CloseAnswer::Save && c.fileChosen && !c.saveFails;
    EXPECT_EQ(QFile::exists(target), saved);
    EXPECT_EQ(errors.size(), c.saveFails ? 1 : 0);
    if (guard) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isSaved());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClosingAnUnsavedDocument,
    ::testing::Values(CloseCase{"Cancel", DocumentWindow::CloseAnswer::Cancel, true, false, false},
                      CloseCase{"Discard", DocumentWindow::CloseAnswer::Discard, true, false, true},
                      CloseCase{"Save", DocumentWindow::CloseAnswer::Save, true, false, true},
                      CloseCase{"SaveButNoFile", DocumentWindow::CloseAnswer::Save, false, false,
                                false},
                      CloseCase{"SaveFails", DocumentWindow::CloseAnswer::Save, true, true, false}),
    [](const ::testing::TestParamInfo<CloseCase>& param) { return param.param.name; });

TEST_F(DocumentWindowTest, TheRealFileDialogAddsTheSuffixOfTheChosenFormat)
{
    TestWindow* window = open(colourDocument(9));
    window->useRealFileDialog = true;
    QString dialogTitle;
    QTimer::singleShot(0, window, [&] {
        auto* dialog = window->findChild<QFileDialog*>(QStringLiteral("saveDialog"));
        if (!dialog)
            return;
        dialogTitle = dialog->windowTitle();
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("typed"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_TRUE(window->saveAs());
    EXPECT_EQ(dialogTitle, QStringLiteral("Сохранить как"));
    EXPECT_EQ(window->savedPath(), dir.filePath(QStringLiteral("typed.pdf")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("typed.pdf"))));
}

TEST_F(DocumentWindowTest, TheSaveProgressOffersACancelThatKeepsEverythingAsItWas)
{
    // A large scan on each of 300 pages: long enough a save to cancel in the middle.
    QImage scan(2000, 3000, QImage::Format_RGB32);
    scan.fill(Qt::darkCyan);
    const QString path = dir.filePath(QStringLiteral("scan.png"));
    ASSERT_TRUE(scan.save(path));
    TestWindow* window = open(gridDocument(QStringList(300, path), 1, {300, 500}));
    window->savePath = dir.filePath(QStringLiteral("long.pdf"));
    QString label;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, window, [&] {
        auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("exportProgress"));
        if (!progress || !label.isEmpty() ||
            !progress->labelText().startsWith(QStringLiteral("Сохранение: страница ")))
            return;
        label = progress->labelText();
        for (QPushButton* button : progress->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Отмена"))
                button->click();
        }
    });
    poll.start(10);
    EXPECT_FALSE(window->saveAs());
    poll.stop();
    EXPECT_TRUE(label.endsWith(QStringLiteral(" из 300"))) << label.toStdString();
    EXPECT_FALSE(window->isSaved());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("long.pdf"))));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DocumentWindowTest, PrintsEveryPageOnA4)
{
    TestWindow* window = open(colourDocument(27));
    EXPECT_FALSE(window->print()); // the print dialog cancelled
    window->printFile = dir.filePath(QStringLiteral("printed.pdf"));
    ASSERT_TRUE(window->print());
    const QString info = pdfInfo(window->printFile);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    EXPECT_FALSE(window->isSaved()); // printing is no save
}

TEST_F(DocumentWindowTest, BothSidesAsOneInterleavedPdfFromTheFrontsWindow)
{
    TestWindow* front = open(colourDocument(27), QStringLiteral("лицевая сторона"));
    EXPECT_FALSE(front->saveBothSides()); // no back side yet: no command
    EXPECT_EQ(front->findChild<QAction*>(QStringLiteral("saveBothSidesAction")), nullptr);
    front->setBackSide(colourDocument(10)); // two pages: the third sheet's back stays blank
    ASSERT_NE(front->findChild<QAction*>(QStringLiteral("saveBothSidesAction")), nullptr);

    front->savePath = dir.filePath(QStringLiteral("both"));
    ASSERT_TRUE(front->saveBothSides());
    const QString saved = dir.filePath(QStringLiteral("both.pdf"));
    EXPECT_TRUE(pdfInfo(saved).contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\n"))));
    EXPECT_FALSE(front->isSaved()); // the front's own file is not this one
    // Both sides are offered under the pictures' folder's name, one side with its label.
    const QString folderName = QDir(dir.path()).dirName();
    EXPECT_EQ(front->suggested, dir.filePath(folderName));
    front->savePath.reset();
    EXPECT_FALSE(front->saveAs());
    EXPECT_EQ(front->suggested, dir.filePath(folderName + QStringLiteral(" - лицевая сторона")));

    // Printing to a PDF file makes one job with the pages interleaved, as a duplex printer.
    front->printFile = dir.filePath(QStringLiteral("printed.pdf"));
    ASSERT_TRUE(front->printBothSides());
    EXPECT_TRUE(front->printedTwoSided);
    EXPECT_TRUE(
        pdfInfo(front->printFile).contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\n"))));

    // Pages that are the sides of sheets (the calibration sheet) print two-sided from
    // "Печать...".
    TestWindow* sheets = open(colourDocument(18), QStringLiteral("лист калибровки"));
    sheets->setSheetSides();
    sheets->printFile = dir.filePath(QStringLiteral("sheets.pdf"));
    ASSERT_TRUE(sheets->print());
    EXPECT_TRUE(sheets->printedTwoSided);
}

TEST_F(DocumentWindowTest, SavesPagesAsPngFilesWithoutCountingAsASave)
{
    TestWindow* window = open(colourDocument(27));
    window->savePath = dir.filePath(QStringLiteral("page"));
    ASSERT_TRUE(window->savePagesAsPng());
    for (const char* name : {"page-1.png", "page-2.png", "page-3.png"})
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(name)))) << name;
    EXPECT_FALSE(window->isSaved());
}

// The picture a person sees: a 3 x 3 page of framed pictures, grabbed to a PNG when
// PAGULA_SCREENSHOT_DIR names a folder.
TEST_F(DocumentWindowTest, AThreeByThreePageLooksAsItWillPrint)
{
    auto doc = colourDocument(9);
    for (int i = 0; i < doc->itemCount(); ++i) {
        if (doc->item(i).kind != document::ItemKind::Picture)
            continue;
        for (auto edge : {document::BorderEdge::Top, document::BorderEdge::Left,
                          document::BorderEdge::Bottom, document::BorderEdge::Right})
            doc->pictureAt(i).setBorder(edge, document::LineStyleSingle,
                                        document::LineWidthQuarterPoint);
    }
    TestWindow* window = open(doc, QStringLiteral("лицевая сторона"), {}, {720, 860});
    auto* zoom = window->findChild<QComboBox*>(QStringLiteral("zoom"));
    zoom->setCurrentIndex(1);
    emit zoom->activated(1);
    ASSERT_TRUE(waitUntilShown(window));
    QTest::qWait(50);
    const QImage shot = window->grab().toImage();
    const QString folder = qEnvironmentVariable("PAGULA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        shot.save(QDir(folder).filePath(QStringLiteral("document-window-3x3.png")));

    PageView* view = window->pageView();
    const QPoint offset = view->viewport()->mapTo(window, QPoint(0, 0));
    const document::DocumentLayout layout = document::layoutDocument(*doc);
    ASSERT_EQ(layout.pages[0].pictures().size(), 9);
    for (const document::PlacedPicture& placed : layout.pages[0].pictures()) {
        const int index = grid.paths.indexOf(doc->pictureAt(placed.itemIndex).path());
        const QPoint centre = view->viewportPointFor(0, placed.box.center()).toPoint() + offset;
        EXPECT_TRUE(sameColour(shot.pixelColor(centre), grid.colours[index])) << index;
    }
}

} // namespace
