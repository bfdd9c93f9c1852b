#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <vector>

class QSplitter;

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout
namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets
#include "app/CompositionWorker.h"

namespace pagula::joblist
{
class JobListPanels;
}
namespace pagula::preview
{
class PreviewController;
class PreviewTabs;
class PreviewWindow;
} // namespace pagula::preview

namespace pagula::app
{

class AdjustmentsPanel;
class PreparationPanel;
class FileBrowser;
class LeftPanel;
class PreviewAdapters;
class ProgressBar;
class RightPanel;
class GenerationRun;
class WindowSettings;
class GenerationProgressDialog;
class AboutDialog;

// The main window "Распечатка Pagula". Left to right: the layout settings with the generate
// button, the file browser and the right panel (commands, adjustments, job list, crop and
// preview tabs), with the progress bar `progressBar` across the bottom. The regions own their
// controls; this class places them and wires them to each other, to the dialogs and to the
// generation.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize RestoredSize{810, 468};

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows made after the main window: the progress dialog, the About dialog and the
    // preview window.
    void attachWindows(GenerationProgressDialog& progress, AboutDialog& about,
                       preview::PreviewWindow& preview);
    // How a run advances against the window's event passes (tests act between given cells).
    void setRunPacing(CompositionWorker::Pacing pacing);
    // The work a run does for each picture on its worker threads (benchmarks try others).
    void setPictureStep(compose::PictureStep step);

    // Shows the window as the program starts: maximised; restored, 810 x 468 centred on the
    // screen.
    void showAtStart();

    static constexpr const char* NothingTickedText =
        QT_TRANSLATE_NOOP("MainWindow", "Не отмечено ни одного рисунка.");

    // "Сформировать документ": starts a run on a thread of its own and returns. A press while a
    // generation goes on is ignored; with no ticked entry it says so and opens nothing.
    void generate();
    // "?": the About dialog, modally.
    void showAboutDialog();
    // Files and folders given to the program (its command line, the menu entry's "open with"),
    // added to the job list as dropped ones are.
    void addFiles(const QStringList& paths);
    bool isGenerating() const;

    LeftPanel* leftPanel() const { return leftPanel_; }
    layout::LayoutPanel* layoutPanel() const;
    FileBrowser* fileBrowser() const { return fileBrowser_; }
    RightPanel* rightPanel() const { return rightPanel_; }
    joblist::JobListPanels* jobList() const { return jobList_; }
    AdjustmentsPanel* adjustments() const;
    PreparationPanel* preparation() const;
    preview::PreviewTabs* previewTabs() const { return previewTabs_; }
    ProgressBar* progressBar() const { return progressBar_; }
    widgets::GradientButton* generateButton() const;
    widgets::GradientButton* aboutButton() const;

signals:
    void generationStarted();
    // The documents a run made, with their roles; after a failure what was placed.
    void documentsComposed(const std::vector<compose::ComposedDocument>& documents);
    void generationFinished();
    // The user closed the main window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpControls();
    void applyLook();
    void buildRegions();
    void connectHandlers();
    void addDropped(const QList<QUrl>& urls, bool otherContent);

    joblist::JobListPanels* jobList_;
    preview::PreviewTabs* previewTabs_;
    QSplitter* regionPanes_;
    LeftPanel* leftPanel_;
    FileBrowser* fileBrowser_;
    RightPanel* rightPanel_;
    ProgressBar* progressBar_;

    GenerationProgressDialog* progressDialog_ = nullptr;
    AboutDialog* aboutDialog_ = nullptr;
    preview::PreviewWindow* previewWindow_ = nullptr;

    std::unique_ptr<PreviewAdapters> previewAdapters_;
    std::unique_ptr<preview::PreviewController> previewController_;
    WindowSettings* settings_ = nullptr;
    GenerationRun* generation_ = nullptr;
};

} // namespace pagula::app
