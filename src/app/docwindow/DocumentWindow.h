#pragma once

#include "app/docwindow/SaveFormats.h"

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/PictureSource.h"
#include "document/TwoSidedPrint.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QSpinBox;

namespace pagula::docwindow
{

class PageView;
struct Zoom;

// The window of one generated document: its pages as they will print, with zoom and page
// navigation, and from there "Сохранить как...", "Сохранить страницы как PNG..." and
// "Печать...". Each document gets its own top-level window with no parent that deletes
// itself when closed, so document windows outlive the main window and the process ends
// with the last of them. Closing a document that was not saved asks first.
//
// The questions the window asks (file name, save before closing, printer) are virtual, so a
// test can answer them.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum class CloseAnswer { Save, Discard, Cancel };

    // label: which document of a run this is (e.g. "обратная сторона"), shown in the title.
    // decoder: how picture files are decoded for the screen (imaging::decodeFile when empty).
    explicit DocumentWindow(std::shared_ptr<document::Document> document, const QString& label = {},
                            document::PictureSource::Decoder decoder = {});
    ~DocumentWindow() override;

    // "Pagula", or "Pagula - <label>".
    static QString titleFor(const QString& label);

    // Shows the window and brings it to the front.
    void showAndActivate();

    // Each asks its question, runs the export behind a progress dialog and reports a failure
    // in the application's error report. True when the export completed.
    bool saveAs();
    bool savePagesAsPng();
    bool print();
    // "Открыть в LibreOffice", offered when LibreOffice is on PATH: saves a temporary ODT and
    // starts LibreOffice on it. True when LibreOffice was started.
    bool openInLibreOffice();

    // The front side's window of a two-sided run gets the back side: "Сохранить обе стороны в
    // PDF..." (pages interleaved front 1, back 1, ...) and "Печать обеих сторон..." appear.
    void setBackSide(std::shared_ptr<const document::Document> back);
    bool hasBackSide() const { return back_ != nullptr; }
    bool saveBothSides();
    // One duplex job where the printer turns sheets itself; otherwise the fronts, the user
    // turns the stack over and puts it back, then the backs.
    bool printBothSides();

    // Whether "Сохранить как..." has written the document since the window opened.
    bool isSaved() const { return !savedPath_.isEmpty(); }
    QString savedPath() const { return savedPath_; }
    // True while an export runs; the window then refuses to close.
    bool isBusy() const { return busy_; }

    PageView* pageView() const { return view_; }

protected:
    // The file to save to and its format; nothing when the user cancels.
    virtual std::optional<SaveTarget> askSaveTarget(const QString& title,
                                                    const QList<SaveFormat>& formats);
    virtual CloseAnswer askSaveBeforeClose();
    // Lets the user set the printer up; false when the user cancels.
    virtual bool askPrinter(QPrinter& printer);
    // Printing by hand: asks the user to turn the printed stack of `sheets` over its long edge
    // and put it back; the answer is how the printer laid the sheets out. Nothing: stop.
    virtual std::optional<document::SheetStacking> askTurnStack(int sheets);

    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void buildToolBar();
    void buildStatusBar();
    bool exportTo(const QString& title, const QList<SaveFormat>& formats, bool marksSaved);
    std::optional<document::ExportResult>
    runExport(const QString& action,
              std::function<document::ExportResult(const document::ProgressCallback&)> work,
              const QString& unit = QStringLiteral("страница"));
    void showPage(int page);
    void showZoom(const Zoom& zoom);
    void applyTypedZoom();
    void showFailures(int count);

    std::shared_ptr<const document::Document> document_;
    std::shared_ptr<const document::Document> back_;
    QAction* saveBothAction_ = nullptr;
    QAction* printBothAction_ = nullptr;
    PageView* view_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* savePngAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* libreOfficeAction_ = nullptr; // only when LibreOffice is on PATH
    QString libreOffice_;
    QAction* previousAction_ = nullptr;
    QAction* nextAction_ = nullptr;
    QAction* firstAction_ = nullptr;
    QAction* lastAction_ = nullptr;
    QAction* zoomInAction_ = nullptr;
    QAction* zoomOutAction_ = nullptr;
    QAction* realSizeAction_ = nullptr;
    QSpinBox* pageNumber_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QLabel* failureLine_ = nullptr;
    QString savedPath_;
    bool busy_ = false;
};

} // namespace pagula::docwindow
