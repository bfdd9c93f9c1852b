#include "app/CommandStrip.h"

#include "app/AdjustmentsPanel.h"
#include "app/WindowColours.h"
#include "joblist/TickButtonStrip.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradBtn.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace pagula::app
{

CommandStrip::CommandStrip(joblist::TickButtonStrip* tickButtons, QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("Panel8"));
    setColor(WindowColours::window());
    setFixedHeight(Height);

    // The controls sit on a sheet that never gets narrower than they need: a narrow window cuts
    // the strip off at the right instead of squeezing its controls over each other.
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("Panel8Content"));

    GradBtn3 = new TGradBtn(content_);
    GradBtn3->setObjectName(QStringLiteral("GradBtn3"));
    GradBtn3->setCaption(QStringLiteral("?"));
    applyButtonLook(*GradBtn3, ButtonLook::About);
    GradBtn3->setFixedSize(17, 33);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(tickButtons, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(GradBtn3, 0, Qt::AlignTop);

    adjustments_ = new AdjustmentsPanel(content_);

    auto* column = new QVBoxLayout(content_);
    column->setContentsMargins(2, 2, 4, 3);
    column->setSpacing(0);
    column->addLayout(top);
    column->addStretch(1);
    column->addWidget(adjustments_);
}

void CommandStrip::resizeEvent(QResizeEvent* event)
{
    BevelPanel::resizeEvent(event);
    const QRect inside = contentsRect();
    content_->setGeometry(inside.x(), inside.y(),
                          std::max(inside.width(), content_->minimumSizeHint().width()),
                          inside.height());
}

} // namespace pagula::app
