#include "app/LiveSettings.h"

#include "app/AdjustmentsPanel.h"
#include "app/BackOffsetSetting.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "layout/ui/LayoutPanel.h"

#include <QCheckBox>

namespace pagula::app
{

LiveSettings::LiveSettings(layout::LayoutPanel& layout, joblist::JobListPanels& jobList,
                           AdjustmentsPanel& adjustments)
    : layout_(layout), jobList_(jobList), adjustments_(adjustments)
{
}

bool LiveSettings::twoSided()
{
    return adjustments_.twoSideBox()->isChecked();
}

joblist::JobEntries LiveSettings::tickedEntries()
{
    return jobList_.model()->tickedEntries();
}

int LiveSettings::columns()
{
    return layout_.settings().columns;
}

int LiveSettings::rows()
{
    return layout_.settings().rows;
}

double LiveSettings::cellWidth()
{
    return layout_.settings().cellWidth;
}

double LiveSettings::cellHeight()
{
    return layout_.settings().cellHeight;
}

int LiveSettings::marginLeft()
{
    return layout_.settings().marginLeft;
}

int LiveSettings::marginRight()
{
    return layout_.settings().marginRight;
}

int LiveSettings::marginTop()
{
    return layout_.settings().marginTop;
}

int LiveSettings::marginBottom()
{
    return layout_.settings().marginBottom;
}

int LiveSettings::gutterSize()
{
    return layout_.settings().gutterSize;
}

layout::GutterSide LiveSettings::gutterSide()
{
    return layout_.gutterSide();
}

QPointF LiveSettings::backOffset()
{
    return storedBackOffset();
}

void LiveSettings::setGutterSide(layout::GutterSide side)
{
    layout_.showGutterSide(side);
}

int LiveSettings::brightness()
{
    return adjustments_.brightness();
}

int LiveSettings::contrast()
{
    return adjustments_.contrast();
}

document::ColorType LiveSettings::colorType()
{
    return adjustments_.colorType();
}

bool LiveSettings::frame()
{
    return adjustments_.frameBox()->isChecked();
}

compose::CropProfile LiveSettings::cropProfile(int profile)
{
    return jobList_.cropProfile(profile);
}

} // namespace pagula::app
