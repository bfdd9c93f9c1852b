#pragma once

#include "app/docwindow/SaveFormats.h"

#include "document/Document.h"
#include "document/ExportResult.h"
#include "document/PictureSource.h"
#include "document/TwoSidedPrint.h"

#include <QMainWindow>
#include <QString>

#include <QCoreApplication>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QSpinBox;
class QToolBar;

namespace pagula::docwindow
{

class PageView;
class PrintJobWatch;
struct Zoom;

// The window of one generated document: its pages as they will print, with zoom and page
// navigation, and from there "Сохранить как...", "Сохранить страницы как PNG..." and
// "Печать...". Each document gets its own top-level window with no parent that deletes
// itself when closed, so document windows outlive the main window and the process ends
// with the last of them. Closing a document that was not saved asks first; Ctrl+W and Esc
// close the window. Files are offered in the folder of the document's pictures, named after
// it (SuggestedNames.h).
//
// The questions the window asks (file name, save before closing, printer) are virtual, so a
// test can answer them.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum class CloseAnswer { Save, Discard, Cancel };

    // label: which document of a run this is (e.g. "обратная сторона"), or what the document
    // is ("лист калибровки"); shown in the title and in the names files are offered under.
    // decoder: how picture files are decoded for the screen (imaging::decodeFile when empty).
    explicit DocumentWindow(std::shared_ptr<document::Document> document, const QString& label = {},
                            document::PictureSource::Decoder decoder = {});
    ~DocumentWindow() override;

    // "Pagula", "Pagula - <label>"; for the document of run n (from 1) "Pagula - документ n" or
    // "Pagula - документ n, <label>", so that the windows of several runs can be told apart.
    static QString titleFor(const QString& label, int run = 0);
    // The run that made the document; the title shows it.
    void setRunNumber(int run);
    // The pages are the sides of sheets, front, back, front ... (the calibration sheet, the test
    // print of numbered sides): "Печать..." prints them two-sided.
    void setSheetSides();
    // The name a file of this document is offered under, without suffix, and the folder.
    QString suggestedBaseName() const;
    QString suggestedFolder() const;

    // Shows the window and brings it to the front.
    void showAndActivate();

    // Each asks its question, runs the export behind a progress dialog and reports a failure
    // in the application's error report. True when the export completed.
    bool saveAs();
    bool savePagesAsPng();
    // Every page, one job; the sides of sheets two-sided as printBothSides() prints them.
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
    // puts the printed stack back, then the backs. Every job is A4 at 100 %; a printer
    // without A4 is refused before printing, and a job the print service refuses or
    // cancels is reported as not printed.
    bool printBothSides();

    // Whether "Сохранить как..." has written the document since the window opened.
    bool isSaved() const { return !savedPath_.isEmpty(); }
    QString savedPath() const { return savedPath_; }
    // True while an export runs; the window then refuses to close.
    bool isBusy() const { return busy_; }

    PageView* pageView() const { return view_; }

protected:
    // The file to save to and its format, offering `suggested` (a path without suffix);
    // nothing when the user cancels.
    virtual std::optional<SaveTarget>
    askSaveTarget(const QString& title, const QList<SaveFormat>& formats, const QString& suggested);
    virtual CloseAnswer askSaveBeforeClose();
    // Lets the user set the printer up; false when the user cancels. The dialog offers no page
    // ranges (documents print whole) and, twoSided, no choice of sides.
    virtual bool askPrinter(QPrinter& printer, bool twoSided);
    // Printing by hand: the fronts of `sheets` sheets went to the printer (followed by
    // `fronts` when it is a job of the print service); asks the user to put the printed stack
    // back and how it went back. Nothing: stop.
    virtual std::optional<document::StackReturn> askReturnStack(int sheets, PrintJobWatch* fronts);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildActions();
    void buildToolBar();
    // The two tool bars in one row where they fit, else in two.
    void fitToolBars();
    void buildStatusBar();
    bool exportTo(const QString& title, const QList<SaveFormat>& formats, bool marksSaved);
    // The name the two sides are offered under together.
    QString bothSidesBase() const;
    void preparePrinter(QPrinter& printer, const QString& docName) const;
    bool printTwoSided(std::shared_ptr<const document::TwoSidedJob> job, const QString& docName);
    // Says so when the printer has no A4 paper; false then.
    bool checkPaper(const QPrinter& printer);
    // A print behind the progress dialog; a refused job is reported as not printed.
    std::optional<document::ExportResult>
    runPrint(std::function<document::ExportResult(const document::ProgressCallback&)> work);
    // Says where the pages went and follows a job of the print service to its end, reporting
    // a cancelled or aborted one.
    PrintJobWatch* followJob(const QPrinter& printer, const document::ExportResult& result);
    std::optional<document::ExportResult>
    runExport(const QString& action,
              std::function<document::ExportResult(const document::ProgressCallback&)> work,
              const QString& unit = QCoreApplication::translate("DocumentWindow", "страница"));
    void showPage(int page);
    void showZoom(const Zoom& zoom);
    void applyTypedZoom();
    void showFailures(int count);

    std::shared_ptr<const document::Document> document_;
    std::shared_ptr<const document::Document> back_;
    QString label_;
    int run_ = 0;
    bool sheetSides_ = false;
    QAction* closeAction_ = nullptr;
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
    QToolBar* pageBar_ = nullptr;
    QSpinBox* pageNumber_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QLabel* failureLine_ = nullptr;
    QString savedPath_;
    bool busy_ = false;
};

} // namespace pagula::docwindow
