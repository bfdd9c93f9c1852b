#include "app/Program.h"

#include "app/AboutDialog.h"
#include "app/AdjustmentsPanel.h"
#include "app/GenerationProgressDialog.h"
#include "app/MainWindow.h"
#include "app/TwoSidedCommands.h"
#include "app/docwindow/DocumentWindow.h"
#include "common/Paths.h"
#include "document/CalibrationSheet.h"
#include "document/SidesTestPrint.h"
#include "preview/ui/PreviewWindow.h"
#include "widgets/ErrorReport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

namespace pagula::app
{

namespace
{

QWidget* makeProgramDocumentWindow(std::shared_ptr<document::Document> document,
                                   const QString& label)
{
    return new docwindow::DocumentWindow(std::move(document), label);
}

} // namespace

Program::Program(std::function<void()> quit, DocumentWindowFactory makeWindow)
    : lifetime_(quit ? std::move(quit) : [] { QCoreApplication::quit(); }),
      makeWindow_(makeWindow ? std::move(makeWindow) : makeProgramDocumentWindow)
{
    // The process ends by the lifetime rule, not when the main window is merely the last
    // visible one (a run may still hand over documents).
    QApplication::setQuitOnLastWindowClosed(false);

    mainWindow_ = std::make_unique<MainWindow>();
    progressDialog_ = std::make_unique<GenerationProgressDialog>(mainWindow_.get());
    aboutDialog_ = std::make_unique<AboutDialog>(mainWindow_.get());
    previewWindow_ = std::make_unique<preview::PreviewWindow>(mainWindow_.get());
    mainWindow_->attachWindows(*progressDialog_, *aboutDialog_, *previewWindow_);

    connect(mainWindow_.get(), &MainWindow::documentsComposed, this,
            [this](const std::vector<compose::ComposedDocument>& documents) {
                for (const compose::ComposedDocument& composed : documents)
                    openDocumentWindow(composed);
            });
    twoSidedCommands_ =
        new TwoSidedCommands(mainWindow_.get(), mainWindow_->adjustments()->twoSideBox());
    connect(twoSidedCommands_, &TwoSidedCommands::calibrationSheetRequested, this, [this] {
        openPrinterSheets(
            [](const QString& folder) { return document::makeCalibrationSheet(folder); },
            QCoreApplication::translate("Program", "лист калибровки"));
    });
    connect(twoSidedCommands_, &TwoSidedCommands::sidesTestRequested, this, [this] {
        openPrinterSheets(document::makeSidesTestPrint,
                          QCoreApplication::translate("Program", "пробная двусторонняя печать"));
    });

    connect(mainWindow_.get(), &MainWindow::generationStarted, this, [this] {
        ++runNumber_;
        lifetime_.runStarted();
    });
    connect(mainWindow_.get(), &MainWindow::generationFinished, this,
            [this] { lifetime_.runFinished(); });
    connect(mainWindow_.get(), &MainWindow::closed, this, [this] { lifetime_.mainWindowClosed(); });
}

Program::~Program()
{
    for (ShownDocument& shown : shown_)
        delete shown.window.data();
}

void Program::start()
{
    mainWindow_->showAtStart();
}

void Program::openDocumentWindow(const compose::ComposedDocument& composed)
{
    QString label;
    if (composed.role == compose::DocumentRole::Front)
        label = QCoreApplication::translate("Program", "лицевая сторона");
    else if (composed.role == compose::DocumentRole::Back)
        label = QCoreApplication::translate("Program", "обратная сторона");
    // The back side's document also goes to its front's window, for the commands on both.
    if (composed.role == compose::DocumentRole::Back && !shown_.empty())
        if (auto* front = qobject_cast<docwindow::DocumentWindow*>(shown_.back().window.data()))
            front->setBackSide(composed.document);
    QWidget* window = showDocumentWindow(composed.document, label);
    if (auto* shown = qobject_cast<docwindow::DocumentWindow*>(window))
        shown->setRunNumber(runNumber_);
}

void Program::openPrinterSheets(
    const std::function<std::shared_ptr<document::Document>(const QString& folder)>& make,
    const QString& label)
{
    std::shared_ptr<document::Document> sheets;
    const bool made = widgets::runGuarded(mainWindow_.get(), [&] {
        sheets = make(QFileInfo(common::fillerPicturePath()).absolutePath());
    });
    if (!made || !sheets)
        return;
    QWidget* window = showDocumentWindow(std::move(sheets), label);
    if (auto* shown = qobject_cast<docwindow::DocumentWindow*>(window))
        shown->setSheetSides();
}

QWidget* Program::showDocumentWindow(std::shared_ptr<document::Document> document,
                                     const QString& label)
{
    QWidget* window = makeWindow_(document, label);
    shown_.push_back({std::move(document), window});
    lifetime_.documentWindowOpened();
    connect(window, &QObject::destroyed, this, [this] { lifetime_.documentWindowClosed(); });
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace pagula::app
