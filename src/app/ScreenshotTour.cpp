#include "app/ScreenshotTour.h"

#include "app/AboutDialog.h"
#include "app/AdjustmentsPanel.h"
#include "app/BackOffsetDialog.h"
#include "app/FileBrowser.h"
#include "app/GenerationProgressDialog.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "app/PreparationPanel.h"
#include "app/Program.h"
#include "app/ProgressBar.h"
#include "app/docwindow/DocumentWindow.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "joblist/ui/UnsavedListQuestion.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListView>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include <memory>

namespace pagula::app
{

namespace
{

class UnsavedDocumentWindow : public docwindow::DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

    // The question of printing by hand, as the second pass asks it.
    void askReturnStackForTour() { askReturnStack(4, nullptr); }
    // The print dialog of a two-sided print.
    void askPrinterForTour()
    {
        QPrinter printer(QPrinter::HighResolution);
        askPrinter(printer, true);
    }

protected:
    CloseAnswer askSaveBeforeClose() override { return CloseAnswer::Discard; }
};

// The last document window the program showed, if it is still open.
UnsavedDocumentWindow* lastDocumentWindow(Program& program)
{
    const auto& shown = program.shownDocuments();
    return shown.empty() ? nullptr
                         : dynamic_cast<UnsavedDocumentWindow*>(shown.back().window.data());
}

} // namespace

QWidget* ScreenshotTour::makeDocumentWindow(std::shared_ptr<document::Document> document,
                                            const QString& label)
{
    return new UnsavedDocumentWindow(std::move(document), label);
}

ScreenshotTour::ScreenshotTour(Program& program, const QString& folder)
    : program_(program), folder_(folder)
{
    folder_.mkpath(QStringLiteral("."));
    MessageBoxes::setHook([this](MessageKind, const QString& text) { note(text); });
    program_.mainWindow().jobList()->setUnsavedListQuestion(
        [](int) { return joblist::UnsavedListAnswer::Discard; });
    widgets::ErrorReport::setHook([this](const QString& text) { note(text); });
}

ScreenshotTour::~ScreenshotTour()
{
    MessageBoxes::setHook({});
    widgets::ErrorReport::setHook({});
}

void ScreenshotTour::then(int delayMs, Step step)
{
    steps_.emplace_back(delayMs, std::move(step));
}

void ScreenshotTour::next()
{
    if (nextStep_ >= steps_.size())
        return;
    const auto& [delay, step] = steps_[nextStep_++];
    QTimer::singleShot(delay, this, [this, run = step] {
        run();
        next();
    });
}

void ScreenshotTour::save(QWidget& widget, const QString& name)
{
    const QString path = folder_.filePath(name);
    if (!widget.grab().save(path))
        note(QStringLiteral("could not write ") + path);
}

void ScreenshotTour::saveScreen(const QString& name)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(folder_.filePath(name));
}

void ScreenshotTour::note(const QString& line)
{
    QFile log(folder_.filePath(QStringLiteral("messages.txt")));
    if (log.open(QIODevice::Append | QIODevice::Text))
        log.write((line + QLatin1Char('\n')).toUtf8());
}

void ScreenshotTour::start()
{
    MainWindow& main = program_.mainWindow();

    // Under a window manager the window starts maximised; the tour shows it restored as well.
    // Without one nobody maximises it, so the tour gives it the screen itself.
    then(800, [this, &main] {
        save(main, QStringLiteral("00-main-window-at-start.png"));
        saveScreen(QStringLiteral("00-screen-at-start.png"));
        main.showNormal();
    });
    then(800, [this, &main] {
        save(main, QStringLiteral("01-main-window-restored.png"));
        saveScreen(QStringLiteral("01-screen-restored.png"));
        main.showMaximized();
        if (!main.isMaximized())
            if (QScreen* screen = main.screen())
                main.setGeometry(screen->availableGeometry());
    });
    then(800, [this, &main] { save(main, QStringLiteral("01-main-window.png")); });

    then(0, [&main] {
        main.fileBrowser()->fileList()->selectAll();
        main.fileBrowser()->addButton()->click();
        joblist::JobListModel* list = main.jobList()->model();
        if (list->size() > 2) {
            list->setCropCode(1, QLatin1Char('1'));
            list->setCropCode(2, QLatin1Char('2'));
            list->setCurrentRow(1);
        }
    });
    then(300, [this, &main] { save(main, QStringLiteral("02-main-window-job-list.png")); });

    then(0, [&main] { main.previewTabs()->setPreviewTicked(true); });
    then(1500, [this] {
        save(program_.previewWindow(), QStringLiteral("03-preview-window.png"));
        saveScreen(QStringLiteral("03-screen-with-preview.png"));
    });
    // The same picture prepared, then the original with the outline found.
    then(0, [&main] { main.preparation()->allBox()->click(); });
    then(1500, [this] {
        save(program_.previewWindow(), QStringLiteral("03-preview-prepared.png"));
        program_.previewWindow().originalBox()->setChecked(true);
    });
    then(500, [this, &main] {
        save(program_.previewWindow(), QStringLiteral("03-preview-outline.png"));
        program_.previewWindow().originalBox()->setChecked(false);
        main.preparation()->allBox()->click();
        main.previewTabs()->setPreviewTicked(false);
    });

    then(200, [this, &main] {
        AboutDialog& about = program_.aboutDialog();
        QTimer::singleShot(400, this, [this, &about] {
            save(about, QStringLiteral("04-about-dialog.png"));
            saveScreen(QStringLiteral("04-screen-with-about.png"));
            about.okButton()->click();
        });
        main.aboutButton()->click(); // modal: returns when "Ok" has closed it
    });

    then(200, [this, &main] {
        // Taken between two cells of the run, once the bar has been repainted: the run waits
        // for the window's event pass after each cell.
        main.setRunPacing(CompositionWorker::Pacing::EventPass);
        auto progress = std::make_shared<QMetaObject::Connection>();
        *progress =
            connect(main.progressBar(), &QProgressBar::valueChanged, this, [this, progress] {
                if (program_.mainWindow().progressBar()->value() < 3)
                    return;
                disconnect(*progress);
                QTimer::singleShot(0, this, [this] {
                    save(program_.progressDialog(), QStringLiteral("05-progress-dialog.png"));
                    saveScreen(QStringLiteral("05-screen-while-generating.png"));
                });
            });
        main.generateButton()->click();
    });
    then(1500, [this] {
        const auto& shown = program_.shownDocuments();
        if (!shown.empty() && shown.back().window)
            save(*shown.back().window, QStringLiteral("06-document-window.png"));
        saveScreen(QStringLiteral("07-screen-after-generating.png"));
    });

    // Two-sided: the front side's window maximised, with the commands for both sides.
    then(0, [&main] {
        main.adjustments()->twoSideBox()->setChecked(true);
        main.generateButton()->click();
    });
    then(1500, [this] {
        const auto& shown = program_.shownDocuments();
        if (shown.size() >= 2 && shown[shown.size() - 2].window) {
            QWidget* front = shown[shown.size() - 2].window;
            front->showMaximized();
            front->raise();
            front->activateWindow();
        }
    });
    then(1500, [this] {
        const auto& shown = program_.shownDocuments();
        if (shown.size() >= 2 && shown[shown.size() - 2].window)
            save(*shown[shown.size() - 2].window, QStringLiteral("08-front-window-maximised.png"));
        saveScreen(QStringLiteral("08-screen-front-window-maximised.png"));
    });
    // The questions and dialogs of printing and of the job list, each saved and closed.
    const auto modal = [this](const QString& name, const std::function<void()>& open) {
        then(200, [this, name, open] {
            QTimer::singleShot(600, this, [this, name] {
                if (QWidget* shown = QApplication::activeModalWidget()) {
                    save(*shown, name);
                    saveScreen(QStringLiteral("screen-") + name);
                    shown->close();
                }
            });
            open();
        });
    };
    modal(QStringLiteral("09-return-stack-question.png"), [this] {
        if (UnsavedDocumentWindow* window = lastDocumentWindow(program_))
            window->askReturnStackForTour();
    });
    modal(QStringLiteral("10-two-sided-print-dialog.png"), [this] {
        if (UnsavedDocumentWindow* window = lastDocumentWindow(program_))
            window->askPrinterForTour();
    });
    modal(QStringLiteral("11-back-offset-dialog.png"),
          [this] { editBackOffset(&program_.mainWindow()); });
    modal(QStringLiteral("12-unsaved-list-question.png"), [this] {
        joblist::askAboutUnsavedList(&program_.mainWindow(),
                                     program_.mainWindow().jobList()->model()->size());
    });

    then(0, [this] {
        for (const Program::ShownDocument& shown : program_.shownDocuments())
            if (shown.window)
                shown.window->close();
        program_.mainWindow().close();
        // Should anything still hold the program up, the tour is over anyway.
        QTimer::singleShot(2000, qApp, [] { QCoreApplication::exit(0); });
    });
    next();
}

} // namespace pagula::app
