#include "app/BottomStrip.h"

#include "app/PreparationPanel.h"
#include "app/WindowColours.h"
#include "joblist/ProgramIcons.h"
#include "joblist/ui/CropTabSet.h"
#include "preview/ui/PreviewTabs.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QHBoxLayout>

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

    auto* tabSeparator_ = new BevelPanel(this);
    tabSeparator_->setObjectName(QStringLiteral("tabSeparator"));
    tabSeparator_->setBevels(Bevel::None, Bevel::None);
    tabSeparator_->setColor(WindowColours::window());
    tabSeparator_->setFixedWidth(3);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(cropTabs, 0, Qt::AlignTop);
    row->addWidget(tabSeparator_);
    row->addWidget(previewTabs, 1);
    preparation_ = new PreparationPanel(this);
    row->addWidget(preparation_, 0, Qt::AlignTop);
}

} // namespace pagula::app
