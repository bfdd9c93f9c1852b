#include "app/BottomStrip.h"

#include "app/PreparationPanel.h"
#include "app/WindowColours.h"
#include "joblist/ProgramIcons.h"
#include "joblist/ui/CropTabSet.h"
#include "preview/ui/PreviewTabs.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QHBoxLayout>

#include <algorithm>

namespace pagula::app
{

BottomStrip::BottomStrip(joblist::CropTabSet* cropTabs, preview::PreviewTabs* previewTabs,
                         QWidget* parent)
    : BevelPanel(parent), previewTabs_(previewTabs)
{
    using joblist::ProgramIcons;
    setObjectName(QStringLiteral("bottomStrip"));
    setBevels(Bevel::Lowered, Bevel::None);
    setColor(WindowColours::window());
    setMinimumHeight(1);
    resize(width(), Height);

    previewTabs->setTabIcons(ProgramIcons::icon(ProgramIcons::PageMagnifierIcon),
                             ProgramIcons::icon(ProgramIcons::CycleArrowsIcon));
    previewTabs->setIconSize(QSize(ProgramIcons::IconSize, ProgramIcons::IconSize));
    for (widgets::GradientButton* step : {previewTabs->previousButton(), previewTabs->nextButton()})
        widgets::applyButtonLook(*step, widgets::ButtonLook::StepSymbol);

    // The tab sets' row keeps its width: a narrow window cuts it off at the right rather than
    // squeezing the tab sets over each other.
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("bottomStripContent"));

    auto* tabSeparator_ = new BevelPanel(content_);
    tabSeparator_->setObjectName(QStringLiteral("tabSeparator"));
    tabSeparator_->setBevels(Bevel::None, Bevel::None);
    tabSeparator_->setColor(WindowColours::window());
    tabSeparator_->setFixedWidth(3);

    auto* row = new QHBoxLayout(content_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(cropTabs, 0, Qt::AlignTop);
    row->addWidget(tabSeparator_);
    row->addWidget(previewTabs, 1);
    // Placed by resizeEvent: at the row's right end, or under it.
    preparation_ = new PreparationPanel(this);
}

int BottomStrip::wantedHeight() const
{
    return wraps_ ? Height + preparation_->sizeHint().height() : Height;
}

void BottomStrip::resizeEvent(QResizeEvent* event)
{
    BevelPanel::resizeEvent(event);
    const QSize group = preparation_->sizeHint();
    const int row = content_->minimumSizeHint().width();
    const bool wraps = width() < row + group.width();
    if (wraps) {
        content_->setGeometry(0, 0, std::max(width(), row), Height);
        preparation_->setGeometry(std::max(0, width() - group.width()), Height, group.width(),
                                  group.height());
    } else {
        content_->setGeometry(0, 0, width() - group.width(), height());
        preparation_->setGeometry(width() - group.width(), 0, group.width(), group.height());
    }
    if (wraps != wraps_) {
        wraps_ = wraps;
        emit wantedHeightChanged(wantedHeight());
    }
}

} // namespace pagula::app
