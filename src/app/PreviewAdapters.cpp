#include "app/PreviewAdapters.h"

#include "joblist/JobListModel.h"
#include "joblist/ui/JobListPanels.h"

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

} // namespace pagula::app
