#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

#include <memory>

class QSplitter;

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout
namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets
namespace pagula::compose
{
class CompositionRun;
}
namespace pagula::document
{
class DocumentBuilder;
}
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
class FileBrowser;
class LeftPanel;
class LiveSettings;
class PreviewAdapters;
class ProgressBar;
class RightPanel;
class RunHost;
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
    // The builder the generation drives; without one "Сформировать документ" does nothing.
    void setDocumentBuilder(document::DocumentBuilder* builder);

    // Shows the window as the program starts: maximised; restored, 810 x 468 centred on the
    // screen.
    void showAtStart();

    static constexpr const char* NothingTickedText = "Не отмечено ни одного рисунка.";

    // "Сформировать документ". A press while a generation goes on is ignored; with no ticked
    // entry it says so and opens nothing.
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
    preview::PreviewTabs* previewTabs() const { return previewTabs_; }
    ProgressBar* progressBar() const { return progressBar_; }
    widgets::GradientButton* generateButton() const;
    widgets::GradientButton* aboutButton() const;

signals:
    void generationStarted();
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
    compose::CompositionRun* compositionRun();

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
    document::DocumentBuilder* builder_ = nullptr;

    std::unique_ptr<PreviewAdapters> previewAdapters_;
    std::unique_ptr<preview::PreviewController> previewController_;
    std::unique_ptr<LiveSettings> settings_;
    std::unique_ptr<RunHost> host_;
    std::unique_ptr<compose::CompositionRun> run_;
};

} // namespace pagula::app
