#include "app/PreviewAdapters.h"

#include "app/PreparationPanel.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"
#include "layout/ui/LayoutPanel.h"

namespace pagula::app
{

int PreviewAdapters::entryCount() const
{
    return jobList_.model()->size();
}

joblist::JobEntry PreviewAdapters::entry(int row) const
{
    return jobList_.model()->entry(row);
}

int PreviewAdapters::currentRow() const
{
    return jobList_.model()->currentRow();
}

void PreviewAdapters::setCurrentRow(int row)
{
    jobList_.model()->setCurrentRow(row);
}

preview::CropPercentages PreviewAdapters::cropProfile(int n) const
{
    return jobList_.cropProfile(n);
}

preview::PreviewPreparation PreviewAdapters::previewPreparation() const
{
    const layout::LayoutSettings& l = layout_.settings();
    QSizeF cell(l.cellWidth, l.cellHeight);
    if (l.gutterSize != 0) {
        const layout::GutterSide side = layout_.gutterSide();
        if (side == layout::GutterSide::Left || side == layout::GutterSide::Right)
            cell.rwidth() -= l.gutterSize;
        else if (side == layout::GutterSide::Top || side == layout::GutterSide::Bottom)
            cell.rheight() -= l.gutterSize;
    }
    return {preparation_.preparation(), preparation_.keepProportions(), cell};
}

} // namespace pagula::app
