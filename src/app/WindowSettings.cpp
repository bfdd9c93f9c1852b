#include "app/WindowSettings.h"

#include "app/AdjustmentsPanel.h"
#include "app/BackOffsetSetting.h"
#include "app/PreparationPanel.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "layout/ui/LayoutPanel.h"

#include <QCheckBox>

namespace pagula::app
{

WindowSettings::WindowSettings(layout::LayoutPanel& layout, joblist::JobListPanels& jobList,
                               AdjustmentsPanel& adjustments, PreparationPanel& preparation,
                               QObject* parent)
    : QObject(parent), layout_(layout), jobList_(jobList), adjustments_(adjustments),
      preparation_(preparation)
{
    connect(jobList.model(), &joblist::JobListModel::listChanged, this,
            [this] { ticked_.reset(); });
}

compose::CompositionSettings WindowSettings::read() const
{
    if (!ticked_)
        ticked_ = jobList_.model()->tickedEntries();
    const layout::LayoutSettings& l = layout_.settings();
    compose::CompositionSettings s;
    s.twoSided = adjustments_.twoSideBox()->isChecked();
    s.ticked = *ticked_;
    s.columns = l.columns;
    s.rows = l.rows;
    s.cellWidth = l.cellWidth;
    s.cellHeight = l.cellHeight;
    s.marginLeft = l.marginLeft;
    s.marginRight = l.marginRight;
    s.marginTop = l.marginTop;
    s.marginBottom = l.marginBottom;
    s.gutterSize = l.gutterSize;
    s.gutterSide = gutterShownMirrored_ ? layout::mirroredGutterSide(layout_.gutterSide())
                                        : layout_.gutterSide();
    s.backOffset = storedBackOffset();
    s.brightness = adjustments_.brightness();
    s.contrast = adjustments_.contrast();
    s.colorType = adjustments_.colorType();
    s.frame = adjustments_.frameBox()->isChecked();
    s.profile1 = jobList_.cropProfile(1);
    s.profile2 = jobList_.cropProfile(2);
    s.preparation = preparation_.preparation();
    s.keepProportions = preparation_.keepProportions();
    return s;
}

} // namespace pagula::app
