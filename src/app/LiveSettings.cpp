#include "app/LiveSettings.h"

#include "app/AdjustmentsPanel.h"
#include "app/BackOffsetSetting.h"
#include "joblist/JobListModel.h"
#include "joblist/JobListPanels.h"
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
    return layout_.settings().Columns;
}

int LiveSettings::rows()
{
    return layout_.settings().Rows;
}

double LiveSettings::cellWidth()
{
    return layout_.settings().CellWidth;
}

double LiveSettings::cellHeight()
{
    return layout_.settings().CellHeight;
}

int LiveSettings::marginLeft()
{
    return layout_.settings().MarginLeft;
}

int LiveSettings::marginRight()
{
    return layout_.settings().MarginRight;
}

int LiveSettings::marginTop()
{
    return layout_.settings().MarginTop;
}

int LiveSettings::marginBottom()
{
    return layout_.settings().MarginBottom;
}

int LiveSettings::gutterSize()
{
    return layout_.settings().GutterSize;
}

int LiveSettings::gutterSide()
{
    return layout_.gutterSide();
}

QPointF LiveSettings::backOffset()
{
    return storedBackOffset();
}

void LiveSettings::setGutterSide(int side)
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

int LiveSettings::colorFormat()
{
    return adjustments_.colorFormat();
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
