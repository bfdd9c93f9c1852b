#include "app/TForm1.h"

#include "app/AdjustmentsPanel.h"
#include "app/CommandStrip.h"
#include "app/DialogParts.h"
#include "app/FileBrowser.h"
#include "app/LeftPanel.h"
#include "app/LiveSettings.h"
#include "app/MessageBoxes.h"
#include "app/PreviewAdapters.h"
#include "app/ProgressBar.h"
#include "app/RightPanel.h"
#include "app/RunHost.h"
#include "app/Splitter.h"
#include "app/TForm2.h"
#include "app/TForm3.h"
#include "app/WindowColours.h"
#include "common/Fonts.h"
#include "common/Paths.h"
#include "compose/CompositionRun.h"
#include "joblist/JobListModel.h"
#include "joblist/JobListPanels.h"
#include "layout/ui/LayoutPanel.h"
#include "preview/PreviewController.h"
#include "preview/PreviewTabs.h"
#include "preview/PreviewWiring.h"
#include "preview/TForm4.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QCloseEvent>
#include <QListView>
#include <QVBoxLayout>

namespace pagula::app
{

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Распечатка Pagula"));
    FormCreate();
    resize(RestoredSize);
}

void TForm1::FormCreate()
{
    // The controls come up with their start values; the layout settings compute their first
    // state as they do, before the user can act.
    applyLook();
    buildRegions();
    connectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::applyLook()
{
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColours::window());
    pal.setColor(QPalette::Base, WindowColours::edit());
    setPalette(pal);
    setAutoFillBackground(true);
}

void TForm1::buildRegions()
{
    jobList_ = new joblist::JobListPanels(this);
    previewTabs_ = new preview::PreviewTabs(this);

    Panel1 = new LeftPanel(this);
    Panel4 = new FileBrowser(this);
    Panel6 = new RightPanel(*jobList_, previewTabs_, this);
    layoutPanel()->attachCheckBoxes(adjustments()->frameBox(), adjustments()->twoSideBox());

    regions_ = new Splitter(Qt::Horizontal, this);
    regions_->setObjectName(QStringLiteral("Regions"));
    regions_->addWidget(Panel1);
    regions_->addWidget(Panel4);
    regions_->addWidget(Panel6);
    regions_->setStretchFactor(0, 0);
    regions_->setStretchFactor(1, 0);
    regions_->setStretchFactor(2, 1);
    regions_->setSizes({LeftPanel::Width, FileBrowser::Width,
                        RestoredSize.width() - LeftPanel::Width - FileBrowser::Width});
    regions_->handle(1)->setObjectName(QStringLiteral("Splitter2"));
    regions_->handle(2)->setObjectName(QStringLiteral("Splitter3"));

    pb = new ProgressBar(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(regions_, 1);
    column->addWidget(pb);
}

void TForm1::connectHandlers()
{
    connect(generateButton(), &GradientButton::clicked, this, &TForm1::PrintButtonClick);
    connect(aboutButton(), &GradientButton::clicked, this,
            [this] { runGuarded(this, [this] { Image2Click(); }); });
    connect(Panel4, &FileBrowser::addRequested, this, [this] {
        runGuarded(this,
                   [this] { jobList_->N1Click(*Panel4->fileList(), Panel4->currentFolder()); });
    });
    connect(jobList_, &joblist::JobListPanels::previewRefreshRequested, this, [this] {
        runGuarded(this, [this] {
            if (previewController_)
                previewController_->refreshPreview();
        });
    });
}

void TForm1::attachWindows(TForm2& progress, TForm3& about, preview::TForm4& preview)
{
    form2_ = &progress;
    form3_ = &about;
    form4_ = &preview;

    previewAdapters_ = std::make_unique<PreviewAdapters>(*jobList_);
    preview.setCropProfiles(previewAdapters_.get());
    previewController_ =
        std::make_unique<preview::PreviewController>(*previewAdapters_, *previewTabs_, preview);
    preview::connectPreview(*previewTabs_, preview, *previewController_);
}

void TForm1::setEngine(document::Engine* engine)
{
    if (isGenerating())
        return;
    run_.reset();
    engine_ = engine;
}

compose::CompositionRun* TForm1::compositionRun()
{
    if (!run_ && engine_ && form2_) {
        settings_ = std::make_unique<LiveSettings>(*layoutPanel(), *jobList_, *adjustments());
        host_ = std::make_unique<RunHost>(*pb, *this);
        run_ = std::make_unique<compose::CompositionRun>(*engine_, *settings_, *host_,
                                                         form2_->port(), fillerPicturePath());
    }
    return run_.get();
}

void TForm1::showAtStart()
{
    setGeometry(QRect(geometry().topLeft(), RestoredSize));
    centreOnScreen(*this);
    showMaximized();
}

bool TForm1::isGenerating() const
{
    return run_ && run_->isRunning();
}

void TForm1::PrintButtonClick()
{
    runGuarded(this, [this] {
        compose::CompositionRun* run = compositionRun();
        if (!run || run->isRunning())
            return;
        // A run over no entry would only open an empty page that then asks to be saved.
        if (jobList_->model()->tickedCount() == 0) {
            MessageBoxes::show(this, MessageKind::Information,
                               QString::fromUtf8(NothingTickedText));
            return;
        }
        emit generationStarted();
        run->PrintButtonClick();
        // The window may have been closed while the run went on; its dialog goes with it.
        if (!isVisible() && form2_)
            form2_->hide();
        emit generationFinished();
    });
}

void TForm1::Image2Click()
{
    if (form3_)
        form3_->showModal();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A generation that is still going stops after the picture in progress and hands over what
    // it has made; it closes its dialog itself.
    if (isGenerating())
        form2_->Button1Click();
    else if (form2_)
        form2_->hide();
    if (form3_)
        form3_->hide();
    if (form4_ && form4_->isShowing())
        form4_->closeWindow();
    event->accept();
    emit closed();
}

LayoutPanel* TForm1::layoutPanel() const
{
    return Panel1->layoutPanel();
}

AdjustmentsPanel* TForm1::adjustments() const
{
    return Panel6->commandStrip()->adjustments();
}

GradientButton* TForm1::generateButton() const
{
    return Panel1->generateButton();
}

GradientButton* TForm1::aboutButton() const
{
    return Panel6->commandStrip()->aboutButton();
}

} // namespace pagula::app
