#include "app/CommandStrip.h"

#include "app/AdjustmentsPanel.h"
#include "app/WindowColours.h"
#include "joblist/ui/TickButtonStrip.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace pagula::app
{

CommandStrip::CommandStrip(joblist::TickButtonStrip* tickButtons, QWidget* parent)
    : BevelPanel(parent)
{
    setObjectName(QStringLiteral("commandStrip"));
    setColor(WindowColours::window());
    setFixedHeight(Height);

    // The controls sit on a sheet that never gets narrower than they need: in a narrow window
    // the sheet scrolls sideways instead of squeezing its controls over each other or cutting
    // them off.
    scroller_ = new QScrollArea(this);
    scroller_->setObjectName(QStringLiteral("commandStripScroller"));
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setWidgetResizable(false);
    scroller_->setBackgroundRole(QPalette::Window);
    scroller_->viewport()->setAutoFillBackground(false);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("commandStripContent"));

    aboutButton_ = new widgets::GradientButton(content_);
    aboutButton_->setObjectName(QStringLiteral("aboutButton"));
    aboutButton_->setCaption(QStringLiteral("?"));
    widgets::applyButtonLook(*aboutButton_, widgets::ButtonLook::About);
    aboutButton_->setFixedSize(17, 33);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(tickButtons, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addWidget(aboutButton_, 0, Qt::AlignTop);

    adjustments_ = new AdjustmentsPanel(content_);

    auto* column = new QVBoxLayout(content_);
    // Tight enough that both rows fit the strip's 96 pixels under the desktop's own style.
    column->setContentsMargins(2, 0, 4, 1);
    column->setSpacing(0);
    column->addLayout(top);
    column->addStretch(1);
    column->addWidget(adjustments_);
    scroller_->setWidget(content_);
    content_->setAutoFillBackground(false);
}

bool CommandStrip::scrollsSideways() const
{
    return content_->minimumSizeHint().width() > contentsRect().width();
}

void CommandStrip::resizeEvent(QResizeEvent* event)
{
    BevelPanel::resizeEvent(event);
    const QRect inside = contentsRect();
    scroller_->setGeometry(inside);
    // The sheet keeps the strip's own height; the scroll bar, when there is one, lies below it.
    content_->resize(std::max(inside.width(), content_->minimumSizeHint().width()),
                     Height - (height() - inside.height()));
    // The strip grows by the scroll bar while it scrolls, so no control is ever hidden under it.
    const int height =
        Height + (scrollsSideways() ? scroller_->horizontalScrollBar()->sizeHint().height() : 0);
    if (height != this->height())
        setFixedHeight(height);
}

} // namespace pagula::app
