#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/AdjustmentsPanel.h"
#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/DialogParts.h"
#include "app/FileBrowser.h"
#include "app/FileFilters.h"
#include "app/GenerationProgressDialog.h"
#include "app/GenerationRun.h"
#include "app/LanguageCommands.h"
#include "app/LeftPanel.h"
#include "app/MessageBoxes.h"
#include "app/PreparationPanel.h"
#include "app/PreviewAdapters.h"
#include "app/ProgressBar.h"
#include "app/RightPanel.h"
#include "app/Splitter.h"
#include "app/WindowColours.h"
#include "app/WindowSettings.h"
#include "common/Fonts.h"
#include "imaging/PdfDocument.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "joblist/ui/JobListView.h"
#include "layout/ui/LayoutPanel.h"
#include "preview/PreviewController.h"
#include "preview/ui/PreviewTabs.h"
#include "preview/ui/PreviewWindow.h"
#include "preview/ui/PreviewWiring.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QListView>
#include <QUrl>
#include <QVBoxLayout>

namespace pagula::app
{

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QCoreApplication::translate("MainWindow", "Распечатка Pagula"));
    setUpControls();
    resize(RestoredSize);
}

void MainWindow::setUpControls()
{
    // The controls come up with their start values; the layout settings compute their first
    // state as they do, before the user can act.
    applyLook();
    buildRegions();
    connectHandlers();
}

MainWindow::~MainWindow() = default;

void MainWindow::applyLook()
{
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColours::window());
    pal.setColor(QPalette::Base, WindowColours::edit());
    setPalette(pal);
    setAutoFillBackground(true);
}

void MainWindow::buildRegions()
{
    jobList_ = new joblist::JobListPanels(this);
    // PDF files come into the list page by page.
    jobList_->model()->setPageLister(&imaging::pdfPageList);
    previewTabs_ = new preview::PreviewTabs(this);

    leftPanel_ = new LeftPanel(this);
    fileBrowser_ = new FileBrowser(this);
    rightPanel_ = new RightPanel(*jobList_, previewTabs_, this);
    layoutPanel()->attachCheckBoxes(adjustments()->frameBox(), adjustments()->twoSideBox());

    regionPanes_ = new Splitter(Qt::Horizontal, this);
    regionPanes_->setObjectName(QStringLiteral("regionPanes"));
    regionPanes_->addWidget(leftPanel_);
    regionPanes_->addWidget(fileBrowser_);
    regionPanes_->addWidget(rightPanel_);
    regionPanes_->setStretchFactor(0, 0);
    regionPanes_->setStretchFactor(1, 0);
    regionPanes_->setStretchFactor(2, 1);
    regionPanes_->setSizes({LeftPanel::Width, FileBrowser::Width,
                            RestoredSize.width() - LeftPanel::Width - FileBrowser::Width});
    regionPanes_->handle(1)->setObjectName(QStringLiteral("leftSplitter"));
    regionPanes_->handle(2)->setObjectName(QStringLiteral("rightSplitter"));

    progressBar_ = new ProgressBar(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(regionPanes_, 1);
    column->addWidget(progressBar_);
}

void MainWindow::connectHandlers()
{
    connect(generateButton(), &widgets::GradientButton::clicked, this, &MainWindow::generate);
    connect(aboutButton(), &widgets::GradientButton::clicked, this,
            [this] { widgets::runGuarded(this, [this] { showAboutDialog(); }); });
    auto* language = new LanguageCommands(aboutButton(), this);
    connect(language, &LanguageCommands::chosen, progressBar_, &ProgressBar::showStatus);
    connect(fileBrowser_, &FileBrowser::addRequested, this, [this] {
        widgets::runGuarded(this, [this] {
            jobList_->addSelectedFiles(*fileBrowser_->fileList(), fileBrowser_->currentFolder());
        });
    });
    connect(jobList_->view(), &joblist::JobListView::dropped, this, &MainWindow::addDropped);
    connect(jobList_, &joblist::JobListPanels::previewRefreshRequested, this, [this] {
        widgets::runGuarded(this, [this] {
            if (previewController_)
                previewController_->refreshPreview();
        });
    });
    // The preview shows the page as prepared now.
    for (QCheckBox* box : {preparation()->findPageBox(), preparation()->straightenBox(),
                           preparation()->evenBackgroundBox(), preparation()->keepProportionsBox()})
        connect(box, &QCheckBox::toggled, this, [this] {
            widgets::runGuarded(this, [this] {
                if (previewController_)
                    previewController_->refreshPreview();
            });
        });
}

void MainWindow::attachWindows(GenerationProgressDialog& progress, AboutDialog& about,
                               preview::PreviewWindow& preview)
{
    progressDialog_ = &progress;
    aboutDialog_ = &about;
    previewWindow_ = &preview;

    previewAdapters_ = std::make_unique<PreviewAdapters>(*jobList_, *preparation(), *layoutPanel());
    preview.setCropProfiles(previewAdapters_.get());
    preview.setPreparation(previewAdapters_.get());
    previewController_ =
        std::make_unique<preview::PreviewController>(*previewAdapters_, *previewTabs_, preview);
    preview::connectPreview(*previewTabs_, preview, *previewController_);

    settings_ = new WindowSettings(*layoutPanel(), *jobList_, *adjustments(), *preparation(), this);
    generation_ = new GenerationRun(*settings_, progress, *progressBar_, *layoutPanel(), *this);
    connect(generation_, &GenerationRun::started, this, &MainWindow::generationStarted);
    connect(generation_, &GenerationRun::documentsComposed, this, &MainWindow::documentsComposed);
    connect(generation_, &GenerationRun::finished, this, [this] {
        // The window may have been closed while the run went on; its dialog goes with it.
        if (!isVisible() && progressDialog_)
            progressDialog_->hide();
        emit generationFinished();
    });
}

void MainWindow::setRunPacing(CompositionWorker::Pacing pacing)
{
    if (generation_)
        generation_->setPacing(pacing);
}

void MainWindow::setPictureStep(compose::PictureStep step)
{
    if (generation_)
        generation_->setPictureStep(std::move(step));
}

void MainWindow::showAtStart()
{
    setGeometry(QRect(geometry().topLeft(), RestoredSize));
    centreOnScreen(*this);
    showMaximized();
}

bool MainWindow::isGenerating() const
{
    return generation_ && generation_->isRunning();
}

void MainWindow::generate()
{
    widgets::runGuarded(this, [this] {
        if (!generation_ || generation_->isRunning())
            return;
        // A run over no entry would only open an empty page that then asks to be saved.
        if (jobList_->model()->tickedCount() == 0) {
            MessageBoxes::show(this, MessageKind::Information,
                               QCoreApplication::translate("MainWindow", NothingTickedText));
            return;
        }
        generation_->start();
    });
}

void MainWindow::addFiles(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromUserInput(path, QDir::currentPath(), QUrl::AssumeLocalFile));
    if (!urls.isEmpty())
        addDropped(urls, false);
}

void MainWindow::addDropped(const QList<QUrl>& urls, bool otherContent)
{
    widgets::runGuarded(this, [&] {
        progressBar_->showStatus(
            jobList_->addDropped(urls, otherContent, fileBrowser_->masks(), allPictureMasks()));
    });
}

void MainWindow::showAboutDialog()
{
    if (aboutDialog_)
        aboutDialog_->showModal();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!jobList_->mayClose()) {
        event->ignore();
        return;
    }
    // A generation that is still going stops after the picture in progress and hands over what
    // it has made; it closes its dialog itself.
    if (isGenerating())
        progressDialog_->cancel();
    else if (progressDialog_)
        progressDialog_->hide();
    if (aboutDialog_)
        aboutDialog_->hide();
    if (previewWindow_ && previewWindow_->isShowing())
        previewWindow_->closeWindow();
    event->accept();
    emit closed();
}

layout::LayoutPanel* MainWindow::layoutPanel() const
{
    return leftPanel_->layoutPanel();
}

AdjustmentsPanel* MainWindow::adjustments() const
{
    return rightPanel_->commandStrip()->adjustments();
}

PreparationPanel* MainWindow::preparation() const
{
    return rightPanel_->bottomStrip()->preparation();
}

widgets::GradientButton* MainWindow::generateButton() const
{
    return leftPanel_->generateButton();
}

widgets::GradientButton* MainWindow::aboutButton() const
{
    return rightPanel_->commandStrip()->aboutButton();
}

} // namespace pagula::app
