#include "ProgramFixture.h"

#include "app/ProgressBar.h"
#include "app/docwindow/DocumentWindow.h"
#include "common/Paths.h"
#include "joblist/ui/JobListPanels.h"
#include "widgets/GradientButton.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QListView>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace pagula::app::test
{

namespace
{

// The program's document window, with the question before closing an unsaved document
// answered "discard".
class DiscardingDocumentWindow : public docwindow::DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

protected:
    CloseAnswer askSaveBeforeClose() override { return CloseAnswer::Discard; }
};

} // namespace

void ProgramFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    widgets::ErrorReport::setHook([this](const QString& text) { reports << text; });
    MessageBoxes::setHook([this](MessageKind kind, const QString& text) {
        messages.push_back({kind, text});
    });
    program = std::make_unique<Program>(
        [this] { ++quits; },
        [](std::shared_ptr<document::Document> document, const QString& label) {
            return new DiscardingDocumentWindow(std::move(document), label);
        });
    main().jobList()->setUnsavedListQuestion([this](int entries) {
        listQuestions.push_back(entries);
        return listAnswer;
    });
    program->start();
    // A run places a cell per event pass, so a test can act between given cells.
    main().setRunPacing(CompositionWorker::Pacing::EventPass);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
}

void ProgramFixture::TearDown()
{
    program.reset();
    MessageBoxes::setHook({});
    widgets::ErrorReport::setHook({});
}

QStringList ProgramFixture::makeJpegs(int count, const QString& prefix)
{
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        QImage image(60, 80, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
        const QString name = QStringLiteral("%1%2.jpg").arg(prefix).arg(i, 2, 10, QLatin1Char('0'));
        pagula::test::savePicture(image, dir.filePath(name), "JPG");
        names << name;
    }
    return names;
}

void ProgramFixture::browseTo(const QString& folder, const QStringList& expected)
{
    QTreeView* tree = main().fileBrowser()->folderTree();
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(folders, nullptr);
    tree->setCurrentIndex(folders->index(folder));
    ASSERT_EQ(main().fileBrowser()->currentFolder(), QDir(folder).absolutePath());
    // The list is read in the background.
    for (int i = 0; i < 500 && main().fileBrowser()->fileNames() != expected; ++i)
        QTest::qWait(10);
    ASSERT_EQ(main().fileBrowser()->fileNames(), expected);
}

void ProgramFixture::addFiles(int first, int last)
{
    QListView* list = main().fileBrowser()->fileList();
    list->scrollToTop();
    const QModelIndex root = list->rootIndex();
    const QRect firstRow = list->visualRect(list->model()->index(first, 0, root));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstRow.center());
    const QModelIndex lastIndex = list->model()->index(last, 0, root);
    list->scrollTo(lastIndex);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualRect(lastIndex).center());
    press(main().fileBrowser()->addButton());
}

void ProgramFixture::press(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void ProgramFixture::generate()
{
    press(main().generateButton());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !main().isGenerating(); }, 30000));
}

void ProgramFixture::atProgress(int value, std::function<void()> action)
{
    auto done = std::make_shared<bool>(false);
    QObject::connect(main().progressBar(), &QProgressBar::valueChanged, &main(),
                     [this, value, done, action = std::move(action)](int shown) {
                         if (*done || shown < value)
                             return;
                         *done = true;
                         QTimer::singleShot(0, &main(), action);
                     });
}

std::vector<std::shared_ptr<document::Document>> ProgramFixture::documents() const
{
    std::vector<std::shared_ptr<document::Document>> docs;
    for (const Program::ShownDocument& shown : program->shownDocuments())
        docs.push_back(shown.document);
    return docs;
}

QStringList pictureNames(const document::Document& doc)
{
    QStringList names;
    const QString filler = QFileInfo(common::fillerPicturePath()).absoluteFilePath();
    for (int i = 0; i < doc.itemCount(); ++i) {
        const document::DocumentItem& item = doc.item(i);
        if (item.kind != document::ItemKind::Picture)
            continue;
        const QFileInfo file(item.picture->path());
        names << (file.absoluteFilePath() == filler ? QStringLiteral("filler") : file.fileName());
    }
    return names;
}

QStringList cellNames(const document::Document& doc, double minWidthPt)
{
    QStringList names;
    const QStringList all = pictureNames(doc);
    int n = 0;
    for (int i = 0; i < doc.itemCount(); ++i) {
        const document::DocumentItem& item = doc.item(i);
        if (item.kind != document::ItemKind::Picture)
            continue;
        if (item.picture->width() >= minWidthPt)
            names << all[n];
        ++n;
    }
    return names;
}

} // namespace pagula::app::test
