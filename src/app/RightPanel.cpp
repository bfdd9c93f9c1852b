#include "app/RightPanel.h"
#include "app/Splitter.h"

#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/WindowColours.h"
#include "joblist/JobListPanels.h"
#include "joblist/JobListView.h"

#include <QVBoxLayout>

namespace pagula::app
{

RightPanel::RightPanel(joblist::JobListPanels& jobList, preview::PreviewTabs* previewTabs,
                       QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("Panel6"));
    setBevels(Bevel::None, Bevel::None);
    setColor(WindowColours::window());
    // A narrow window cuts the strips off at the right rather than growing wider.
    setMinimumSize(1, 1);

    Panel8 = new CommandStrip(jobList.tickButtons(), this);
    Panel2 = new BottomStrip(jobList.cropTabs(), previewTabs, this);

    joblist::JobListView* list = jobList.view();
    list->setMinimumHeight(1);

    listSplit_ = new Splitter(Qt::Vertical, this);
    listSplit_->setObjectName(QStringLiteral("ListSplit"));
    listSplit_->addWidget(list);
    listSplit_->addWidget(Panel2);
    listSplit_->setStretchFactor(0, 1);
    listSplit_->setStretchFactor(1, 0);
    listSplit_->setSizes({300, BottomStrip::Height});
    listSplit_->handle(1)->setObjectName(QStringLiteral("Splitter1"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel8);
    column->addWidget(listSplit_, 1);
}

} // namespace pagula::app
