#include "app/RightPanel.h"

#include "app/BottomStrip.h"
#include "app/CommandStrip.h"
#include "app/WindowColours.h"
#include "joblist/JobListPanels.h"
#include "joblist/JobListView.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace pagula::app {

RightPanel::RightPanel(joblist::JobListPanels& jobList, preview::PreviewTabs* previewTabs,
                       QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("Panel6"));
    setBevels(Bevel::None, Bevel::None);
    setColor(WindowColours::window());

    Panel8 = new CommandStrip(jobList.tickButtons(), this);
    Panel2 = new BottomStrip(jobList.cropTabs(), previewTabs, this);

    joblist::JobListView* list = jobList.view();
    list->setMinimumHeight(1);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setOpaqueResize(true);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(list);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({300, BottomStrip::Height});
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: %1; }")
                                 .arg(WindowColours::splitter().name()));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel8);
    column->addWidget(Splitter1, 1);
}

} // namespace pagula::app
