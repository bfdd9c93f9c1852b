#include "app/RightPanel.h"
#include "app/Splitter.h"

#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/WindowColours.h"
#include "joblist/ui/JobListPanels.h"
#include "joblist/ui/JobListView.h"

#include <QVBoxLayout>

#include <algorithm>

namespace pagula::app
{

RightPanel::RightPanel(joblist::JobListPanels& jobList, preview::PreviewTabs* previewTabs,
                       QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("rightPanel"));
    setBevels(Bevel::None, Bevel::None);
    setColor(WindowColours::window());
    // A narrow window cuts the strips off at the right rather than growing wider.
    setMinimumSize(1, 1);

    commandStrip_ = new CommandStrip(jobList.tickButtons(), this);
    bottomStrip_ = new BottomStrip(jobList.cropTabs(), previewTabs, this);

    joblist::JobListView* list = jobList.view();
    list->setMinimumHeight(1);

    listPanes_ = new Splitter(Qt::Vertical, this);
    listPanes_->setObjectName(QStringLiteral("listPanes"));
    listPanes_->addWidget(list);
    listPanes_->addWidget(bottomStrip_);
    listPanes_->setStretchFactor(0, 1);
    listPanes_->setStretchFactor(1, 0);
    listPanes_->setSizes({300, BottomStrip::Height});
    listPanes_->handle(1)->setObjectName(QStringLiteral("listSplitter"));
    // A strip that wraps into two rows takes the second row's height from the job list, and
    // gives it back when it goes back to one row. Queued: the strip asks while it is resized.
    connect(
        bottomStrip_, &BottomStrip::wantedHeightChanged, this,
        [this](int height) {
            const QList<int> sizes = listPanes_->sizes();
            const int total = sizes.value(0) + sizes.value(1);
            listPanes_->setSizes({std::max(1, total - height), height});
        },
        Qt::QueuedConnection);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(commandStrip_);
    column->addWidget(listPanes_, 1);
}

} // namespace pagula::app
