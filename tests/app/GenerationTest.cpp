#include "ProgramFixture.h"

#include "app/AdjustmentsPanel.h"
#include "app/GenerationProgressDialog.h"
#include "app/ProgressBar.h"
#include "app/docwindow/DocumentWindow.h"
#include "app/docwindow/PageView.h"
#include "document/FlowLayout.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/CropTabSet.h"
#include "joblist/ui/JobListPanels.h"
#include "layout/ui/LayoutPanel.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace pagula;
using namespace pagula::app;
using namespace pagula::app::test;
using document::BorderEdge;

namespace
{

class Generation : public ProgramFixture
{
protected:
    // Real JPEG files in a folder, all added through the file browser and ticked.
    QStringList addPictures(int count)
    {
        const QStringList names = makeJpegs(count);
        browseTo(dir.path(), names);
        addFiles(0, count - 1);
        EXPECT_EQ(main().jobList()->model()->tickedCount(), count);
        return names;
    }
    QStringList names(std::initializer_list<int> numbers) const
    {
        QStringList list;
        for (int n : numbers)
            list << (n == 0 ? QStringLiteral("filler")
                            : QStringLiteral("page-%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        return list;
    }
    void setGutterSize(int mm) { control<widgets::UpDown>("gutterSizeSpin")->setPosition(mm); }
    const document::InlinePicture& picture(const document::Document& doc, int n)
    {
        return doc.pictureAt(doc.pictureItemIndex(0, doc.itemCount(), n));
    }
};

} // namespace

TEST_F(Generation, OneSidedDocumentHoldsTheTickedPicturesInListOrder)
{
    addPictures(11);
    main().jobList()->model()->toggleTick(4); // entry 5 takes no part
    generate();

    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(documents().size(), 1u);
    const document::Document& doc = *documents()[0];
    // A 6 mm strip left of every picture (the gutter is on the left at start).
    EXPECT_EQ(pictureNames(doc),
              names({0, 1, 0, 2, 0, 3, 0, 4, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0, 11}));
    // 3 x 3 cells a page: ten pictures make two pages, and the window shows both.
    EXPECT_EQ(document::layoutDocument(doc).pages.size(), 2);
    auto* shownIn = qobject_cast<docwindow::DocumentWindow*>(program->shownDocuments()[0].window);
    ASSERT_NE(shownIn, nullptr);
    EXPECT_EQ(shownIn->pageView()->pageCount(), 2);
    // Margins from the layout settings: 7 and 7 mm, the right and bottom 4 mm less.
    EXPECT_NEAR(doc.margins().left(), 7 * 2.835, 1e-3);
    EXPECT_NEAR(doc.margins().bottom(), 16 * 2.835, 1e-3);

    // The document has its window, in front; the run has tidied up.
    QWidget* window = program->shownDocuments()[0].window;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pagula - документ 1"));
    EXPECT_FALSE(program->progressDialog().isVisible());
    EXPECT_EQ(program->progressDialog().cancelFlag(), 8);
    EXPECT_EQ(main().progressBar()->runPosition(), 0);
    EXPECT_EQ(main().progressBar()->value(), 0);
    EXPECT_FALSE(main().isGenerating());
}

TEST_F(Generation, ARunAtFullSpeedGivesTheSameDocumentAndTidiesUp)
{
    // As the program runs: progress reports merged while the window is busy.
    main().setRunPacing(CompositionWorker::Pacing::Free);
    addPictures(12);
    generate();
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(cellNames(*documents()[0]), names({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_FALSE(program->progressDialog().isVisible());
    EXPECT_EQ(main().progressBar()->value(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Generation, TwoSidedMakesAFrontAndAMirroredBackDocument)
{
    addPictures(8);
    setGutterSize(0);
    control<QCheckBox>("twoSideBox")->click();
    layout::LayoutPanel* layout = main().layoutPanel();
    const layout::LayoutSettings before = layout->settings();

    // What the gutter drop-down shows while the pictures are placed, and whether the layout
    // handlers run because of it.
    QList<layout::GutterSide> shownSides;
    int redraws = 0;
    QObject::connect(main().progressBar(), &QProgressBar::valueChanged, &main(),
                     [&] { shownSides << layout->gutterSide(); });
    QObject::connect(layout, &layout::LayoutPanel::schematicDrawn, &main(), [&] { ++redraws; });

    generate();

    ASSERT_EQ(documents().size(), 2u);
    // Front: ticked entries 1, 3, 5, 7. Back: 2, 4, 6, 8 padded to whole rows with blank
    // (white) cells and mirrored row by row, so 8 lies behind 7.
    EXPECT_EQ(pictureNames(*documents()[0]), names({1, 3, 5, 7}));
    EXPECT_EQ(pictureNames(*documents()[1]), names({6, 4, 2, 0, 0, 8}));
    const QStringList titles{QStringLiteral("Pagula - документ 1, лицевая сторона"),
                             QStringLiteral("Pagula - документ 1, обратная сторона")};
    for (int i = 0; i < 2; ++i) {
        QWidget* window = program->shownDocuments()[size_t(i)].window;
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), titles[i]);
    }
    // The front's window carries the commands for both sides; the back's does not.
    const auto* front =
        qobject_cast<docwindow::DocumentWindow*>(program->shownDocuments()[0].window.data());
    const auto* back =
        qobject_cast<docwindow::DocumentWindow*>(program->shownDocuments()[1].window.data());
    ASSERT_TRUE(front && back);
    EXPECT_TRUE(front->hasBackSide());
    EXPECT_FALSE(back->hasBackSide());
    EXPECT_NE(front->findChild<QAction*>(QStringLiteral("printBothSidesAction")), nullptr);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Information);
    const QStringList lines = messages[0].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Были сформированы два документа: лицевая и обратная "
                                       "стороны."));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Обратная сторона уже выровнена")));
    EXPECT_FALSE(messages[0].text.contains(QLatin1Char('\r')));

    // The back side showed the mirrored gutter side ("Справа") and nothing else moved.
    EXPECT_TRUE(shownSides.contains(layout::GutterSide::Right));
    EXPECT_EQ(layout->gutterSide(), layout::GutterSide::Left);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(layout->settings().cellWidth, before.cellWidth);
    EXPECT_EQ(layout->settings().gutterSize, 0);
}

TEST_F(Generation, PicturesTakeTheWindowsSettings)
{
    addPictures(2);
    setGutterSize(0);
    joblist::JobListModel* jobs = main().jobList()->model();
    jobs->setCropCode(0, QLatin1Char('1'));
    jobs->setCropCode(1, QLatin1Char('2'));
    joblist::CropTabSet* crops = main().jobList()->cropTabs();
    crops->spin(0)->setPosition(10); // profile 1 left
    crops->spin(2)->setPosition(5);  // profile 1 top
    crops->spin(5)->setPosition(20); // profile 2 right
    crops->spin(7)->setPosition(15); // profile 2 bottom
    control<QScrollBar>("brightnessBar")->setValue(20);
    control<QScrollBar>("contrastBar")->setValue(70);
    main().adjustments()->colorFormatItems()->button(2)->click(); // "Черно/белое"
    control<QCheckBox>("frameBox")->click();
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("12"));

    generate();

    ASSERT_EQ(documents().size(), 1u);
    const document::Document& doc = *documents()[0];
    EXPECT_NEAR(doc.margins().left(), 12 * 2.835, 1e-3);
    ASSERT_EQ(doc.pictureCount(), 2);
    for (int n = 1; n <= 2; ++n) {
        const document::InlinePicture& p = picture(doc, n);
        EXPECT_NEAR(p.brightness(), 0.2, 1e-6) << n;
        EXPECT_NEAR(p.contrast(), 0.7, 1e-6) << n;
        EXPECT_EQ(p.colorType(), document::ColorType::BlackAndWhite) << n;
        for (BorderEdge edge :
             {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom, BorderEdge::Right})
            EXPECT_FALSE(p.border(edge).isVisible()) << n;
    }
    const document::InlinePicture& first = picture(doc, 1);
    EXPECT_NEAR(first.crop().left, first.ownSize().width() * 0.10, 1e-3);
    EXPECT_NEAR(first.crop().top, first.ownSize().height() * 0.05, 1e-3);
    EXPECT_EQ(first.crop().right, 0.0);
    EXPECT_EQ(first.crop().bottom, 0.0);
    const document::InlinePicture& second = picture(doc, 2);
    EXPECT_NEAR(second.crop().right, second.ownSize().width() * 0.20, 1e-3);
    EXPECT_NEAR(second.crop().bottom, second.ownSize().height() * 0.15, 1e-3);
    EXPECT_EQ(second.crop().left, 0.0);
    // The 12 mm margin narrowed the cells to (210 - 12 - 10) / 3 mm; pictures fill them.
    EXPECT_NEAR(first.width(), 188.0 / 3 * 2.835, 1e-3);
    EXPECT_NEAR(first.height(), 90.0 * 2.835, 1e-3);
}

TEST_F(Generation, ChangesMadeDuringARunReachTheCellsPlacedAfterThem)
{
    addPictures(6);
    setGutterSize(0);
    // Picture 2 is placed when the bar reaches 3; the frame goes off before picture 3.
    atProgress(3, [this] { control<QCheckBox>("frameBox")->click(); });
    generate();
    ASSERT_EQ(documents().size(), 1u);
    const document::Document& doc = *documents()[0];
    ASSERT_EQ(doc.pictureCount(), 6);
    EXPECT_TRUE(picture(doc, 1).border(BorderEdge::Top).isVisible());
    EXPECT_TRUE(picture(doc, 2).border(BorderEdge::Top).isVisible());
    for (int n = 3; n <= 6; ++n)
        EXPECT_FALSE(picture(doc, n).border(BorderEdge::Top).isVisible()) << n;
}

TEST_F(Generation, CancelStopsAfterTheEntryInProgressAndTheNextRunStartsArmed)
{
    addPictures(10);
    GenerationProgressDialog& dialog = program->progressDialog();
    // With the left gutter every entry places a strip and its picture; the bar reaches 8 with
    // the strip of entry 4. "Отмена" is pressed from the event pass that follows.
    atProgress(8, [this] { press(program->progressDialog().cancelButton()); });
    generate();

    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(pictureNames(*documents()[0]), names({0, 1, 0, 2, 0, 3, 0, 4}));
    EXPECT_EQ(dialog.cancelFlag(), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(main().progressBar()->value(), 0);
    EXPECT_TRUE(messages.empty());

    // The next run shows the dialog from hidden: armed again, so it runs to the end.
    int tagDuringRun = -1;
    atProgress(1, [&] { tagDuringRun = dialog.cancelFlag(); });
    generate();
    EXPECT_EQ(tagDuringRun, 8);
    ASSERT_EQ(documents().size(), 2u);
    EXPECT_EQ(cellNames(*documents()[1]), names({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(Generation, TheWindowStaysUsableAndASecondPressIsIgnored)
{
    addPictures(6);
    setGutterSize(0);
    atProgress(3, [this] {
        press(control<widgets::GradientButton>("generateButton"));
        press(control<widgets::GradientButton>("untickAllButton")); // "Сброс": untick all
    });
    generate();
    // One document, with every entry: the ticks were read when the run started.
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(pictureNames(*documents()[0]), names({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 0"));
}

TEST_F(Generation, ClosingTheMainWindowDuringARunKeepsWhatWasMade)
{
    addPictures(9);
    setGutterSize(0);
    atProgress(4, [this] { main().close(); });
    generate();

    // The run stopped after the picture in progress and handed its document over.
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(pictureNames(*documents()[0]), names({1, 2, 3}));
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(program->progressDialog().isVisible());
    // The program goes on while the document window is open, and ends with it.
    EXPECT_EQ(quits, 0);
    QWidget* window = program->shownDocuments()[0].window;
    ASSERT_NE(window, nullptr);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(quits, 1);
}

TEST_F(Generation, AFailureEndsTheRunWithItsMessageAndKeepsWhatWasPlaced)
{
    const QStringList pictures = addPictures(2);
    main().jobList()->model()->appendFiles(dir.path(), {QStringLiteral("missing.jpg")});
    setGutterSize(0);
    generate();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Plain);
    EXPECT_TRUE(messages[0].text.contains(dir.filePath(QStringLiteral("missing.jpg"))))
        << messages[0].text.toStdString();
    EXPECT_FALSE(program->progressDialog().isVisible());
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(pictureNames(*documents()[0]), names({1, 2}));
    EXPECT_FALSE(main().isGenerating());
}

TEST_F(Generation, SettingsThatCannotMakeAPageStopBeforeAnythingIsPlaced)
{
    addPictures(2);
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("300"));
    generate();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Отступ слева: 300 мм — на листе не остается места "
                                               "для ячеек. Допустимо от 0 до 199 мм."));
    EXPECT_TRUE(documents().empty());
    EXPECT_FALSE(program->progressDialog().isVisible());
    EXPECT_FALSE(main().isGenerating());
    // The panel keeps what was typed. The cell width came down with the margin and stays
    // there when the margin is put back: the next run names it.
    EXPECT_EQ(control<QLineEdit>("leftMarginEdit")->text(), QStringLiteral("300"));
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("7"));
    generate();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.startsWith(QStringLiteral("Ширина ячейки: -33.33 мм")))
        << messages[1].text.toStdString();
    EXPECT_TRUE(documents().empty());
}

TEST_F(Generation, NothingTickedSaysSoAndOpensNothing)
{
    // Empty, and loaded from the job list file (every entry unticked).
    for (const joblist::JobEntries& entries :
         {joblist::JobEntries{}, joblist::JobEntries{{QStringLiteral("/a/b.jpg"), 0}}}) {
        messages.clear();
        main().jobList()->model()->replaceEntries(entries);
        generate();
        EXPECT_TRUE(documents().empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, MessageKind::Information);
        EXPECT_EQ(messages[0].text, QString::fromUtf8(MainWindow::NothingTickedText));
        EXPECT_FALSE(program->progressDialog().isVisible());
        EXPECT_EQ(main().progressBar()->value(), 0);
    }
}

TEST(ProgramDocumentWindows, AreTheProgramsDocumentWindows)
{
    Program program([] {});
    program.start();
    // A blank entry makes a page without reading any file.
    joblist::JobListModel* list = program.mainWindow().jobList()->model();
    list->replaceEntries({joblist::JobEntry::blank()});
    list->tickAll();
    program.mainWindow().generate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.mainWindow().isGenerating(); }, 20000));
    ASSERT_EQ(program.shownDocuments().size(), 1u);
    QWidget* window = program.shownDocuments()[0].window;
    auto* documentWindow = qobject_cast<docwindow::DocumentWindow*>(window);
    ASSERT_NE(documentWindow, nullptr);
    EXPECT_TRUE(documentWindow->isVisible());
    EXPECT_EQ(documentWindow->parent(), nullptr);
    EXPECT_TRUE(documentWindow->testAttribute(Qt::WA_DeleteOnClose));
}
