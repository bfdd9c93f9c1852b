#pragma once

#include "preview/PreviewPorts.h"

namespace pagula::joblist
{
class JobListPanels;
}

namespace pagula::layout
{
class LayoutPanel;
}

namespace pagula::app
{

class PreparationPanel;

// The job list, the crop profiles, the page preparation and the cell size of the main window as
// the preview reads them.
class PreviewAdapters : public preview::PreviewJobList,
                        public preview::CropProfileSource,
                        public preview::PreparationSource
{
public:
    PreviewAdapters(joblist::JobListPanels& jobList, const PreparationPanel& preparation,
                    const layout::LayoutPanel& layout)
        : jobList_(jobList), preparation_(preparation), layout_(layout)
    {
    }

    int entryCount() const override;
    joblist::JobEntry entry(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    preview::CropPercentages cropProfile(int n) const override;
    preview::PreviewPreparation previewPreparation() const override;

private:
    joblist::JobListPanels& jobList_;
    const PreparationPanel& preparation_;
    const layout::LayoutPanel& layout_;
};

} // namespace pagula::app
