#include "app/CommandStrip.h"

#include "app/AdjustmentsPanel.h"
#include "app/WindowColours.h"
#include "joblist/TickButtonStrip.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradBtn.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace pagula::app
{

CommandStrip::CommandStrip(joblist::TickButtonStrip* tickButtons, QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("Panel8"));
    setColor(WindowColours::window());
    setFixedHeight(Height);

    GradBtn3 = new TGradBtn(this);
    GradBtn3->setObjectName(QStringLiteral("GradBtn3"));
    GradBtn3->setCaption(QStringLiteral("?"));
    applyButtonLook(*GradBtn3, ButtonLook::About);
    GradBtn3->setFixedSize(17, 33);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(tickButtons, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(GradBtn3, 0, Qt::AlignTop);

    adjustments_ = new AdjustmentsPanel(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 4, 3);
    column->setSpacing(0);
    column->addLayout(top);
    column->addStretch(1);
    column->addWidget(adjustments_);
}

} // namespace pagula::app
