#pragma once

#include "app/AppLifetime.h"
#include "compose/CompositionRun.h"
#include "document/Document.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace pagula::preview
{
class PreviewWindow;
}

namespace pagula::app
{

class MainWindow;
class GenerationProgressDialog;
class AboutDialog;
class TwoSidedCommands;

// The program's windows and its word processor. The main window is made first, then the
// progress dialog, the About dialog and the preview window, all hidden. Each document the
// word processor shows opens in a window of its own, in front; document windows outlive the
// main window, and the program ends when the main window and the last document window are
// closed.
class Program : public QObject
{
    Q_OBJECT
public:
    // Makes the window of a document; `label` tells the sides of a two-sided run apart (empty
    // for a one-sided run). The window has no parent and deletes itself when closed.
    using DocumentWindowFactory =
        std::function<QWidget*(std::shared_ptr<document::Document> document, const QString& label)>;

    // quit ends the event loop (QCoreApplication::quit when not given); makeWindow makes the
    // document windows (the program's own when not given).
    explicit Program(std::function<void()> quit = {}, DocumentWindowFactory makeWindow = {});
    ~Program() override;

    // Shows the main window maximised.
    void start();

    MainWindow& mainWindow() { return *mainWindow_; }
    GenerationProgressDialog& progressDialog() { return *progressDialog_; }
    AboutDialog& aboutDialog() { return *aboutDialog_; }
    preview::PreviewWindow& previewWindow() { return *previewWindow_; }

    // Every document handed over so far, in order, with its window (null once closed).
    struct ShownDocument {
        std::shared_ptr<document::Document> document;
        QPointer<QWidget> window;
    };
    const std::vector<ShownDocument>& shownDocuments() const { return shown_; }

private:
    void openDocumentWindow(const compose::ComposedDocument& composed);
    // The calibration sheet or the test print of numbered sides: pages the program draws into
    // its data folder, printed two-sided.
    void openPrinterSheets(
        const std::function<std::shared_ptr<document::Document>(const QString& folder)>& make,
        const QString& label);
    QWidget* showDocumentWindow(std::shared_ptr<document::Document> document, const QString& label);

    AppLifetime lifetime_;
    DocumentWindowFactory makeWindow_;
    // Runs so far; the document windows show the number of their run.
    int runNumber_ = 0;
    // Declared in creation order; destroyed in reverse, the dialogs before their parent.
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<GenerationProgressDialog> progressDialog_;
    std::unique_ptr<AboutDialog> aboutDialog_;
    std::unique_ptr<preview::PreviewWindow> previewWindow_;
    std::vector<ShownDocument> shown_;
    TwoSidedCommands* twoSidedCommands_ = nullptr; // owned by the main window
};

} // namespace pagula::app
