#include "ProgramFixture.h"

#include "app/AboutDialog.h"
#include "app/AdjustmentsPanel.h"
#include "app/BackOffsetDialog.h"
#include "app/BevelPanel.h"
#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/FileFilters.h"
#include "app/GenerationProgressDialog.h"
#include "app/PreparationPanel.h"
#include "app/ProgressBar.h"
#include "app/RightPanel.h"
#include "app/StartArguments.h"
#include "app/WindowColours.h"
#include "common/Language.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/CropTabSet.h"
#include "joblist/ui/JobListPanels.h"
#include "joblist/ui/JobListView.h"
#include "layout/ui/LayoutPanel.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace pagula;
using namespace pagula::app;
using namespace pagula::app::test;

namespace
{
using MainWindowTest = ProgramFixture;
} // namespace

TEST_F(MainWindowTest, StartsMaximisedWithItsControlsAtTheirStartValues)
{
    MainWindow& form = main();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Распечатка Pagula"));
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(form.normalGeometry().size(), QSize(810, 468));
    EXPECT_EQ(form.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form.font().pixelSize(), 11);

    // The other windows exist, hidden.
    EXPECT_FALSE(program->progressDialog().isVisible());
    EXPECT_FALSE(program->aboutDialog().isVisible());
    EXPECT_FALSE(program->previewWindow().isVisible());

    // File browser: the process's current folder, every supported kind, the first filter.
    EXPECT_EQ(form.fileBrowser()->currentFolder(), QDir::currentPath());
    EXPECT_EQ(control<QComboBox>("filterCombo")->currentIndex(), 0);
    EXPECT_EQ(form.fileBrowser()->masks(), allPictureMasks());

    // Adjustments and output options.
    EXPECT_EQ(control<QLabel>("brightnessLabel")->text(), QStringLiteral("50%"));
    EXPECT_EQ(control<QLabel>("contrastLabel")->text(), QStringLiteral("50%"));
    auto* colorFormat = control<QGroupBox>("colorFormatGroup");
    EXPECT_EQ(colorFormat->title(), QStringLiteral("Тип изображения"));
    QAbstractButton* chosen = form.adjustments()->colorFormatItems()->checkedButton();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->text(), QStringLiteral("Оттенки серого"));
    EXPECT_TRUE(control<QCheckBox>("frameBox")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("twoSideBox")->isChecked());
    for (const char* name : {"brightnessBar", "contrastBar"}) {
        auto* bar = control<QScrollBar>(name);
        EXPECT_EQ(bar->minimum(), 0) << name;
        EXPECT_EQ(bar->maximum(), 100) << name;
        EXPECT_EQ(bar->value(), 50) << name;
        EXPECT_EQ(bar->singleStep(), 1) << name;
        EXPECT_EQ(bar->pageStep(), 1) << name;
    }

    // The layout was computed once from the defaults.
    EXPECT_EQ(control<QLineEdit>("cellWidthEdit")->text(), QStringLiteral("64.3"));
    EXPECT_EQ(control<QLineEdit>("cellHeightEdit")->text(), QStringLiteral("90.0"));
    EXPECT_DOUBLE_EQ(form.layoutPanel()->settings().cellWidth, 64.3);
    EXPECT_DOUBLE_EQ(form.layoutPanel()->settings().cellHeight, 90.0);

    // The job list and its count, the column spin, the progress bar.
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 0"));
    EXPECT_EQ(control<QLineEdit>("listColumnsEdit")->text(), QStringLiteral("1"));
    ProgressBar* progressBar = form.progressBar();
    EXPECT_EQ(progressBar->objectName(), QStringLiteral("progressBar"));
    EXPECT_EQ(progressBar->minimum(), 0);
    EXPECT_EQ(progressBar->maximum(), 120);
    EXPECT_EQ(progressBar->value(), 0);
}

TEST_F(MainWindowTest, RegionsAndControlsInTheirPlacesAndSizes)
{
    // Every control by its name.
    for (const char* name :
         {"leftPanel",       "settingsScroll",     "schematicView",     "whitePicture",
          "generateButton",  "leftSplitter",       "fileBrowser",       "driveStrip",
          "driveCombo",      "folderTree",         "folderSplitter",    "addButtonStrip",
          "addButton",       "fileList",           "filterStrip",       "filterCombo",
          "rightSplitter",   "rightPanel",         "commandStrip",      "listColumnsCaption",
          "listColumnsEdit", "listColumnsSpin",    "tickedCountLabel",  "tickAllButton",
          "untickAllButton", "removeTickedButton", "invertTicksButton", "tickEvenButton",
          "tickOddButton",   "aboutButton",        "colorFormatGroup",  "brightnessCaption",
          "brightnessBar",   "brightnessLabel",    "contrastCaption",   "contrastBar",
          "contrastLabel",   "frameBox",           "twoSideBox",        "jobList",
          "listSplitter",    "bottomStrip",        "cropTabs",          "tabSeparator",
          "previewTabs",     "previousButton",     "nextButton",        "progressBar"})
        EXPECT_NE(main().findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    auto* fileListMenu = main().findChild<QMenu*>(QStringLiteral("fileListMenu"));
    ASSERT_NE(fileListMenu, nullptr);
    ASSERT_EQ(fileListMenu->actions().size(), 1);
    EXPECT_EQ(fileListMenu->actions()[0]->objectName(), QStringLiteral("addAction"));
    EXPECT_EQ(fileListMenu->actions()[0]->text(), QStringLiteral("Добавить"));
    EXPECT_NE(main().findChild<QMenu*>(QStringLiteral("jobListMenu")), nullptr);

    // Left to right: left panel, file browser, right panel; the progress bar under them all.
    auto* left = control("leftPanel");
    auto* middle = control("fileBrowser");
    auto* right = control("rightPanel");
    auto* progressBar = control("progressBar");
    EXPECT_EQ(left->width(), 223);
    EXPECT_EQ(middle->width(), 166);
    const auto inWindow = [this](QWidget* w) {
        return QRect(w->mapTo(&main(), QPoint()), w->size());
    };
    // Two-pixel splitters between them.
    EXPECT_EQ(inWindow(left).left(), 0);
    EXPECT_EQ(inWindow(middle).left() - inWindow(left).right() - 1, 2);
    EXPECT_EQ(inWindow(right).left() - inWindow(middle).right() - 1, 2);
    EXPECT_EQ(inWindow(right).right(), main().width() - 1);
    EXPECT_EQ(progressBar->height(), 17);
    EXPECT_EQ(inWindow(progressBar), QRect(0, main().height() - 17, main().width(), 17));

    const struct {
        const char* name;
        QSize size;
    } sizes[] = {{"generateButton", {195, 32}}, {"addButton", {162, 16}},
                 {"aboutButton", {17, 33}},     {"tickAllButton", {85, 16}},
                 {"tickOddButton", {85, 16}},   {"previousButton", {50, 24}},
                 {"schematicView", {210, 297}}, {"whitePicture", {50, 50}}};
    for (const auto& s : sizes)
        EXPECT_EQ(control(s.name)->size(), s.size) << s.name;
    EXPECT_FALSE(control("whitePicture")->isVisible());
    const struct {
        const char* name;
        int height;
    } heights[] = {
        {"driveStrip", 18}, {"addButtonStrip", 15}, {"filterStrip", 23}, {"folderTree", 136}};
    for (const auto& h : heights)
        EXPECT_EQ(control(h.name)->height(), h.height) << h.name;
    // The top strip is 96 pixels high; where the window is too narrow for its controls it
    // scrolls sideways and grows by its scroll bar. The offscreen screen is that narrow.
    CommandStrip* strip = main().rightPanel()->commandStrip();
    EXPECT_TRUE(strip->scrollsSideways());
    EXPECT_EQ(strip->height(), 96 + strip->scroller()->horizontalScrollBar()->sizeHint().height());
    EXPECT_TRUE(strip->scroller()->horizontalScrollBar()->isVisible());
    // The bottom strip is 92 pixels high; where the preparation group does not fit beside the
    // tab sets it goes under them, and the strip grows by it.
    BottomStrip* bottom = main().rightPanel()->bottomStrip();
    EXPECT_TRUE(bottom->wraps());
    EXPECT_EQ(bottom->height(), 92 + bottom->preparation()->sizeHint().height());
    EXPECT_EQ(inWindow(bottom->preparation()).top(), inWindow(bottom).top() + 92);
    EXPECT_EQ(control("cropTabs")->width(), 208);
    // Both tab sets show their icons.
    for (const char* name : {"cropTabs", "previewTabs"}) {
        auto* tabs = control<QTabWidget>(name);
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_FALSE(tabs->tabIcon(i).isNull()) << name << " tab " << i;
    }
    EXPECT_EQ(control("tabSeparator")->width(), 3);

    // The job list lies between the top strip and the bottom strip, a splitter under it.
    EXPECT_EQ(inWindow(control("commandStrip")).bottom() + 1, inWindow(control("jobList")).top());
    EXPECT_EQ(inWindow(control("bottomStrip")).top() - inWindow(control("jobList")).bottom() - 1,
              2);
    EXPECT_EQ(inWindow(control("bottomStrip")).bottom() + 1, inWindow(progressBar).top());
    EXPECT_EQ(control("listSplitter")->contentsRect().height(), 2);
    EXPECT_EQ(control("folderSplitter")->contentsRect().height(), 2);
}

TEST_F(MainWindowTest, ColoursOfTheRegions)
{
    const QColor window(182, 196, 231), edit(223, 230, 244), list(0, 120, 179);
    const QImage shot = main().grab().toImage();
    const auto pixelIn = [&](const char* name, QPoint at) {
        QWidget* w = control(name);
        return QColor(shot.pixel(w->mapTo(&main(), at)));
    };
    // Backgrounds seen on screen: an empty part of a panel, the folder tree, the job list.
    EXPECT_EQ(pixelIn("leftPanel", QPoint(100, control("leftPanel")->height() - 10)), window);
    EXPECT_EQ(pixelIn("fileList", QPoint(80, control("fileList")->height() - 10)), edit);
    EXPECT_EQ(pixelIn("jobList", QPoint(100, 100)), list);
    EXPECT_EQ(pixelIn("leftSplitter", QPoint(1, 100)), WindowColours::splitter());
    EXPECT_EQ(control("driveCombo")->palette().color(QPalette::Button), edit);
    EXPECT_EQ(control("filterCombo")->palette().color(QPalette::Button), edit);
    EXPECT_EQ(control("folderTree")->palette().color(QPalette::Base), edit);
    EXPECT_EQ(control("leftMarginEdit")->palette().color(QPalette::Base), edit);
}

TEST_F(MainWindowTest, CommandButtonsTakeTheirLooks)
{
    const struct {
        const char* name;
        const char* caption;
        widgets::PackedColor begin, end;
        widgets::GradientStyle style;
        widgets::TextStyle text;
        widgets::ShadeType shade;
        const char* font;
        int pixels;
    } buttons[] = {
        {"generateButton", "Сформировать документ", widgets::rgbColor(182, 196, 231),
         widgets::kNavy, widgets::GradientStyle::Rectangle, widgets::TextStyle::Raised,
         widgets::ShadeType::Heavy, "Arial Cyr", 13},
        {"addButton", "Добавить >>>", widgets::kNavy, widgets::kAqua,
         widgets::GradientStyle::Elliptic, widgets::TextStyle::Raised, widgets::ShadeType::Heavy,
         "MS Sans Serif", 11},
        {"tickAllButton", "Выделить все", widgets::kWhite, widgets::kNavy,
         widgets::GradientStyle::Rectangle, widgets::TextStyle::Raised, widgets::ShadeType::Light,
         "MS Sans Serif", 11},
        {"applyProfileOneButton", "Применить", widgets::kWhite, widgets::kNavy,
         widgets::GradientStyle::Rectangle, widgets::TextStyle::Raised, widgets::ShadeType::Light,
         "MS Sans Serif", 11},
        {"previousButton", "9", widgets::kWhite, widgets::kNavy, widgets::GradientStyle::Rectangle,
         widgets::TextStyle::Raised, widgets::ShadeType::Light, "Webdings", 15},
        {"nextButton", ":", widgets::kWhite, widgets::kNavy, widgets::GradientStyle::Rectangle,
         widgets::TextStyle::Raised, widgets::ShadeType::Light, "Webdings", 15},
        {"aboutButton", "?", widgets::rgbColor(182, 196, 231), widgets::kWhite,
         widgets::GradientStyle::VerticalCenter, widgets::TextStyle::Inset,
         widgets::ShadeType::Heavy, "Arial", 17},
    };
    for (const auto& b : buttons) {
        auto* button = control<widgets::GradientButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->caption(), QString::fromUtf8(b.caption)) << b.name;
        EXPECT_EQ(button->beginColor(), b.begin) << b.name;
        EXPECT_EQ(button->endColor(), b.end) << b.name;
        EXPECT_EQ(button->gradientStyle(), b.style) << b.name;
        EXPECT_EQ(button->textStyle(), b.text) << b.name;
        EXPECT_EQ(button->textShadeType(), b.shade) << b.name;
        EXPECT_EQ(button->font().family(), QString::fromLatin1(b.font)) << b.name;
        EXPECT_EQ(button->font().pixelSize(), b.pixels) << b.name;
        EXPECT_FALSE(button->showFocus()) << b.name;
        EXPECT_TRUE(button->tabStop()) << b.name;
    }
}

TEST_F(MainWindowTest, ScrollBarLabelsFollowThePositions)
{
    const struct {
        const char* bar;
        const char* label;
    } pairs[] = {{"brightnessBar", "brightnessLabel"}, {"contrastBar", "contrastLabel"}};
    for (const auto& p : pairs) {
        auto* bar = control<QScrollBar>(p.bar);
        auto* label = control<QLabel>(p.label);
        const int middle = bar->height() / 2;
        // Dragging the thumb past either end.
        const auto drag = [&](int toX) {
            const double share = double(bar->value() - bar->minimum()) / bar->maximum();
            const int thumbX =
                bar->height() + int(share * (bar->width() - 3 * bar->height())) + bar->height() / 2;
            QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(thumbX, middle));
            QTest::mouseMove(bar, QPoint((thumbX + toX) / 2, middle));
            QTest::mouseMove(bar, QPoint(toX, middle));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(toX, middle));
        };
        drag(-200);
        EXPECT_EQ(label->text(), QStringLiteral("0%")) << p.bar;
        drag(bar->width() + 200);
        EXPECT_EQ(label->text(), QStringLiteral("100%")) << p.bar;
        // An arrow click and a click in the track both move by 1.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, middle));
        EXPECT_EQ(label->text(), QStringLiteral("99%")) << p.bar;
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 3, middle));
        EXPECT_EQ(label->text(), QStringLiteral("98%")) << p.bar;
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, middle));
        EXPECT_EQ(label->text(), QStringLiteral("99%")) << p.bar;
    }
    // Each label belongs to its own bar.
    control<QScrollBar>("brightnessBar")->setValue(7);
    EXPECT_EQ(control<QLabel>("brightnessLabel")->text(), QStringLiteral("7%"));
    EXPECT_EQ(control<QLabel>("contrastLabel")->text(), QStringLiteral("99%"));
}

TEST_F(MainWindowTest, FiltersChooseTheFilesListed)
{
    for (const char* name :
         {"a.jpg", "B.JPG", "c.jpeg", "d.bmp", "e.tif", "f.tiff", "g.gif", "h.pcx", "i.png",
          "j.txt", "k.gif.bak", "noext", "l.WEBP", "m.heic", "n.heif", "o.pdf"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A folder named like a picture is not a file to add.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));

    const QStringList everything{"a.jpg", "B.JPG", "c.jpeg", "d.bmp",  "e.tif",  "f.tiff", "g.gif",
                                 "h.pcx", "i.png", "l.WEBP", "m.heic", "n.heif", "o.pdf"};
    browseTo(dir.path(), everything);
    auto* filters = control<QComboBox>("filterCombo");
    ASSERT_EQ(filters->count(), 7);
    const struct {
        int index;
        const char* text;
        QStringList listed;
    } cases[] = {{5, "Рисунки GIF, PCX", {"g.gif", "h.pcx"}},
                 {4, "Рисунки BMP, TIFF", {"d.bmp", "e.tif", "f.tiff"}},
                 {6, "Документы PDF", {"o.pdf"}},
                 {3, "Фотографии HEIC, HEIF", {"m.heic", "n.heif"}},
                 {2, "Рисунки PNG, WebP", {"i.png", "l.WEBP"}},
                 {1, "Рисунки JPEG", {"a.jpg", "B.JPG", "c.jpeg"}},
                 {0, "Все рисунки и PDF", everything}};
    for (const auto& c : cases) {
        filters->setFocus();
        // Choosing by keyboard, as a user does in the closed drop-down.
        while (filters->currentIndex() < c.index)
            QTest::keyClick(filters, Qt::Key_Down);
        while (filters->currentIndex() > c.index)
            QTest::keyClick(filters, Qt::Key_Up);
        EXPECT_EQ(filters->currentText(), QString::fromUtf8(c.text));
        for (int i = 0; i < 200 && main().fileBrowser()->fileNames() != c.listed; ++i)
            QTest::qWait(10);
        EXPECT_EQ(main().fileBrowser()->fileNames(), c.listed) << c.text;
    }
}

TEST_F(MainWindowTest, DriveDropDownListsTheVolumesAndShowsTheCurrentOne)
{
    auto* drives = control<QComboBox>("driveCombo");
    ASSERT_GT(drives->count(), 0);
    EXPECT_TRUE(drives->font().bold());
    const std::vector<Volume> volumes = mountedVolumes();
    ASSERT_EQ(drives->count(), int(volumes.size()));
    EXPECT_EQ(drives->currentIndex(), volumeIndexFor(volumes, QDir::currentPath()));
    // Choosing the root volume shows its root folder.
    const int root = volumeIndexFor(volumes, QStringLiteral("/"));
    ASSERT_GE(root, 0);
    drives->setCurrentIndex(root);
    emit drives->activated(root);
    EXPECT_EQ(main().fileBrowser()->currentFolder(), QStringLiteral("/"));
}

TEST_F(MainWindowTest, AddingThroughThePopupMenuAndDoubleClick)
{
    const QStringList names = makeJpegs(3);
    browseTo(dir.path(), names);
    auto* list = main().fileBrowser()->fileList();
    EXPECT_EQ(list->toolTip(), QStringLiteral("Добавление - правая кнопка мыши"));
    const QModelIndex second = list->model()->index(1, 0, list->rootIndex());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
    main().fileBrowser()->popupMenu()->actions().at(0)->trigger();
    // A double click is a press and release, then the second press.
    const QPoint third = list->visualRect(list->model()->index(2, 0, list->rootIndex())).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    const joblist::JobListModel* jobs = main().jobList()->model();
    ASSERT_EQ(jobs->size(), 2);
    EXPECT_EQ(jobs->entry(0).path, dir.filePath(names[1]));
    EXPECT_EQ(jobs->entry(1).path, dir.filePath(names[2]));
    EXPECT_EQ(jobs->entry(0).cropProfile + jobs->entry(1).cropProfile, 0);
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 2"));
}

namespace
{
// Delivers a drop at a point of the job list as Qt's drag and drop does: to the innermost
// widget there that accepts drops, an enter and then the drop.
bool dropOn(QListView* list, const QMimeData& data)
{
    QWidget* window = list->window();
    const QPoint at = list->viewport()->mapTo(window, list->viewport()->rect().center());
    QWidget* target = window->childAt(at);
    while (target != nullptr && !target->acceptDrops() && !target->isWindow())
        target = target->parentWidget();
    if (target == nullptr || !target->acceptDrops())
        return false;
    const QPointF local = target->mapFrom(window, at);
    QDragEnterEvent enter(local.toPoint(), Qt::CopyAction | Qt::LinkAction, &data, Qt::NoButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(local, enter.dropAction(), &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}
} // namespace

TEST_F(MainWindowTest, DroppingFilesAndFoldersOnTheJobListAddsTheirPictures)
{
    const QStringList names = makeJpegs(2, QStringLiteral("scan-"));
    QDir root(dir.path());
    ASSERT_TRUE(root.mkdir(QStringLiteral("loose")));
    for (const char* name : {"loose/z.bmp", "loose/readme.txt"}) {
        QFile f(root.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    auto* list = control<QListView>("jobList");
    ASSERT_NE(list, nullptr);

    // The folder brings its JPEG files (the chosen filter), the loose BMP comes as a picture,
    // the text file is ignored and named in the status line.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(dir.path()),
                   QUrl::fromLocalFile(root.filePath(QStringLiteral("loose/z.bmp"))),
                   QUrl::fromLocalFile(root.filePath(QStringLiteral("loose/readme.txt")))});
    ASSERT_TRUE(dropOn(list, files));
    const joblist::JobListModel* jobs = main().jobList()->model();
    ASSERT_EQ(jobs->size(), 3);
    EXPECT_EQ(jobs->entry(0).text(), dir.filePath(names[0]) + "0");
    EXPECT_EQ(jobs->entry(1).text(), dir.filePath(names[1]) + "0");
    EXPECT_EQ(jobs->entry(2).text(), root.filePath(QStringLiteral("loose/z.bmp")) + "0");
    EXPECT_EQ(jobs->tickedCount(), 3);
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 3"));
    const QString status = main().progressBar()->statusText();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Добавлено рисунков: 3.")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("readme.txt"))) << status.toStdString();
    EXPECT_TRUE(main().progressBar()->isTextVisible());

    // Text is no file: nothing is added, the status line says so, no message box.
    QMimeData text;
    text.setText(QStringLiteral("just some words"));
    ASSERT_TRUE(dropOn(list, text));
    EXPECT_EQ(jobs->size(), 3);
    EXPECT_TRUE(main().progressBar()->statusText().contains(QStringLiteral("не рисунки")));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(';').toStdString();

    // Files given to the program (its command line, "open with" in a file manager) come in as
    // dropped ones do; a name relative to the current folder as well.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.filePath(QStringLiteral("loose"))));
    main().addFiles({dir.filePath(names[1]), QStringLiteral("z.bmp")});
    QDir::setCurrent(before);
    ASSERT_EQ(jobs->size(), 5);
    EXPECT_EQ(jobs->entry(3).path, dir.filePath(names[1]));
    EXPECT_EQ(jobs->entry(4).path, root.filePath(QStringLiteral("loose/z.bmp")));

    // A run takes the bar back for its progress.
    main().progressBar()->setRunRange(0, 10);
    EXPECT_TRUE(main().progressBar()->statusText().isEmpty());
    EXPECT_FALSE(main().progressBar()->isTextVisible());
}

TEST_F(MainWindowTest, ErrorsEscapingAHandlerAreReportedOnceAndTheWindowStaysUsable)
{
    // A margin that is no number: the message ends in a letter and gets a full stop.
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("abc"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], QStringLiteral("'abc' is not a valid integer value."));

    // A job entry whose file name ends in '.': the preview refuses its (empty) extension with
    // a message ending in ')', whose code lies below that of '.', so nothing is appended.
    joblist::JobListModel* jobs = main().jobList()->model();
    jobs->appendFiles(dir.path(), {QStringLiteral("scan.")});
    main().previewTabs()->setPreviewTicked(true);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1], QStringLiteral("Unknown picture file extension (.)"));

    // The window goes on: the next action works.
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("8"));
    EXPECT_EQ(reports.size(), 2);
    EXPECT_EQ(main().layoutPanel()->settings().marginLeft, 8);
}

// "Удалить" takes every ticked entry; Ctrl+Z anywhere in the window brings them back, and the
// list's popup menu offers to redo it.
TEST_F(MainWindowTest, CtrlZAndThePopupMenuUndoAndRedoTheListsEdits)
{
    const QStringList names = makeJpegs(3);
    browseTo(dir.path(), names);
    addFiles(0, 2);
    joblist::JobListModel* jobs = main().jobList()->model();
    const joblist::JobEntries added = jobs->entries();
    ASSERT_EQ(added.size(), 3);
    press(control<widgets::GradientButton>("removeTickedButton"));
    EXPECT_EQ(jobs->size(), 0);

    QTest::keyClick(control<QListView>("jobList"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(jobs->entries(), added);
    EXPECT_EQ(control<QLabel>("tickedCountLabel")->text(), QStringLiteral("Выбрано файлов: 3"));
    auto* redo = main().findChild<QAction*>(QStringLiteral("redoListAction"));
    ASSERT_NE(redo, nullptr);
    EXPECT_TRUE(main().jobList()->view()->popupMenu()->actions().contains(redo));
    EXPECT_EQ(redo->text(), QStringLiteral("Повторить «Удалить»"));
    redo->trigger();
    EXPECT_EQ(jobs->size(), 0);
}

TEST_F(MainWindowTest, ClosingTheMainWindowTakesTheOtherWindowsAlongAndEndsTheProgram)
{
    const QStringList names = makeJpegs(1);
    browseTo(dir.path(), names);
    addFiles(0, 0);
    main().previewTabs()->setPreviewTicked(true);
    ASSERT_TRUE(program->previewWindow().isVisible());
    program->progressDialog().showDialog();

    // The list is not saved: the question comes first, and "Отмена" keeps the window open;
    // "Сохранить" writes the list file that "Загрузить" reads, then the window closes.
    listAnswer = joblist::UnsavedListAnswer::Cancel;
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(quits, 0);
    listAnswer = joblist::UnsavedListAnswer::Keep;
    const QString listFile = main().jobList()->view()->jobListFile();
    QFile::remove(listFile);
    main().close();
    EXPECT_EQ(listQuestions, (std::vector<int>{1, 1}));
    EXPECT_EQ(joblist::loadJobListFile(listFile), main().jobList()->model()->entries());
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(program->previewWindow().isVisible());
    EXPECT_FALSE(program->progressDialog().isVisible());
    EXPECT_FALSE(main().previewTabs()->previewTicked());
    EXPECT_EQ(quits, 1);
}

TEST_F(MainWindowTest, ApplyAndAPressOnTheListRefreshThePreview)
{
    // A picture in the job list with the one-side crop, shown in the preview.
    QImage white(100, 100, QImage::Format_RGB32);
    white.fill(Qt::white);
    pagula::test::savePicture(white, dir.filePath(QStringLiteral("white.bmp")), "BMP");
    joblist::JobListModel* jobs = main().jobList()->model();
    jobs->appendFiles(dir.path(), {QStringLiteral("white.bmp")});
    jobs->setCropCode(0, QLatin1Char('1'));
    main().previewTabs()->setPreviewTicked(true);
    preview::PreviewWindow& previewWindow = program->previewWindow();
    ASSERT_TRUE(previewWindow.isVisible());
    const auto greenShown = [&] {
        const QImage shown = previewWindow.shownBitmap();
        return shown.pixelColor(1, shown.height() / 2) == QColor(0, 128, 0) ||
               shown.pixelColor(2, shown.height() / 2) == QColor(0, 128, 0);
    };
    EXPECT_FALSE(greenShown());

    // A changed percentage shows only after "Применить".
    main().jobList()->cropTabs()->spin(0)->setPosition(30); // profile 1, left
    EXPECT_FALSE(greenShown());
    main().jobList()->cropTabs()->setCurrentIndex(1);
    press(control<widgets::GradientButton>("applyProfileOneButton"));
    EXPECT_TRUE(greenShown());

    // A press on the list row (outside the crop zone) shows the entry again as well.
    main().jobList()->cropTabs()->spin(0)->setPosition(0);
    auto* list = control<QListView>("jobList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(80, list->visualRect(jobs->index(0)).center().y()));
    EXPECT_FALSE(greenShown());
}

namespace
{

// Every text a user can read on a window: titles, captions, items, tabs, tool tips, actions.
QStringList shownTexts(QWidget& window)
{
    QStringList texts;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        texts << w->windowTitle() << w->toolTip();
        for (QAction* a : w->actions())
            texts << a->text() << a->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            texts << edit->text() << edit->placeholderText();
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
        if (auto* button = qobject_cast<widgets::GradientButton*>(w))
            texts << button->caption();
        if (auto* panel = qobject_cast<BevelPanel*>(w))
            texts << panel->caption();
        if (auto* list = qobject_cast<QAbstractItemView*>(w); list && list->model()) {
            for (int r = 0; r < std::min(list->model()->rowCount(list->rootIndex()), 50); ++r)
                texts << list->model()->index(r, 0, list->rootIndex()).data().toString();
        }
    }
    texts.removeAll(QString());
    return texts;
}

bool hasCyrillic(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x400 && c.unicode() < 0x530; });
}

class LanguageWalk : public ProgramFixture, public ::testing::WithParamInterface<common::Language>
{
protected:
    void SetUp() override
    {
        common::installTranslations(*qApp, GetParam());
        ProgramFixture::SetUp();
    }
    void TearDown() override
    {
        ProgramFixture::TearDown();
        common::installTranslations(*qApp, common::Language::Russian);
    }
};

} // namespace

// One walk per language through every window and the message boxes a user meets on the way:
// English shows no Cyrillic anywhere, Russian shows the program's own texts.
TEST_P(LanguageWalk, EveryWindowSpeaksTheChosenLanguage)
{
    const bool english = GetParam() == common::Language::English;
    // Nothing ticked, then a layout that cannot make a page: two message boxes.
    press(main().generateButton());
    const QStringList names = makeJpegs(2);
    browseTo(dir.path(), names);
    addFiles(0, 1);
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("300"));
    press(main().generateButton());
    control<QLineEdit>("leftMarginEdit")->setText(QStringLiteral("7"));
    // The cells shrank to nothing with the margin; they take the largest size again.
    QTest::mouseClick(control<QLineEdit>("maxCellWidthEdit"), Qt::LeftButton);
    QTest::mouseClick(control<QLineEdit>("maxCellHeightEdit"), Qt::LeftButton);
    // A run gives a document window; the two-sided one its explanation.
    control<QCheckBox>("twoSideBox")->setChecked(true);
    generate();
    ASSERT_FALSE(program->shownDocuments().empty()) << [&] {
        std::string all;
        for (const Message& m : messages)
            all += m.text.toStdString() + "\n";
        return all;
    }();
    BackOffsetDialog offset({0.0, 0.0}, &main());

    QStringList texts = shownTexts(main()) + shownTexts(program->previewWindow()) +
                        shownTexts(program->progressDialog()) + shownTexts(program->aboutDialog()) +
                        shownTexts(offset);
    for (const Program::ShownDocument& shown : program->shownDocuments()) {
        ASSERT_NE(shown.window, nullptr);
        texts += shownTexts(*shown.window);
    }
    ASSERT_GE(messages.size(), 3u);
    for (const Message& m : messages)
        texts << m.text;
    texts << joblist::JobEntry::blank().shownText();
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'\n').toStdString();

    // What the user sees at each place, in both languages.
    const struct {
        const char* russian;
        const char* english;
    } expected[] = {
        {"Распечатка Pagula", "Pagula printout"},
        {"Сформировать документ", "Generate document"},
        {"Рамка вокруг рисунков", "Frame around pictures"},
        {"Тип изображения", "Picture type"},
        {"Вид обрезки", "Crop type"},
        {"Все рисунки и PDF", "All pictures and PDF"},
        {"Количество строк:", "Number of rows:"},
        {"Предварительный просмотр", "Preview"},
        {"Формирование документа....", "Generating the document...."},
        {"О программе...", "About..."},
        {"Сохранить как...", "Save as..."},
        {"Печать обеих сторон...", "Print both sides..."},
        {"Сдвиг обратной стороны", "Back side offset"},
        {"Не отмечено ни одного рисунка.", "No picture is ticked."},
        {"Отступ слева: 300 мм", "Left margin: 300 mm"},
        {"Были сформированы два документа", "Two documents were generated"},
        {"(пустая страница)", "(blank page)"},
    };
    for (const auto& e : expected) {
        const QString text = QString::fromUtf8(english ? e.english : e.russian);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const QString& t) {
            return t.contains(text);
        })) << text.toStdString();
    }
    if (english) {
        for (const QString& t : texts)
            EXPECT_FALSE(hasCyrillic(t)) << t.toStdString();
    }

    // The "?" button's popup menu shows the language in use and keeps a choice for next time.
    auto* chosen = main().findChild<QAction*>(english ? QStringLiteral("englishLanguageAction")
                                                      : QStringLiteral("russianLanguageAction"));
    auto* other = main().findChild<QAction*>(english ? QStringLiteral("russianLanguageAction")
                                                     : QStringLiteral("englishLanguageAction"));
    ASSERT_TRUE(chosen && other);
    EXPECT_TRUE(chosen->isChecked());
    other->trigger();
    EXPECT_EQ(storedLanguage(), english ? QStringLiteral("ru") : QStringLiteral("en"));
    chosen->trigger();
    EXPECT_EQ(storedLanguage(), english ? QStringLiteral("en") : QStringLiteral("ru"));
    storeLanguage({});
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageWalk,
                         ::testing::Values(common::Language::Russian, common::Language::English));
