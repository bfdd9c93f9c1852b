#pragma once

#include "preview/PreviewPorts.h"

namespace pagula::joblist
{
class JobListPanels;
}

namespace pagula::app
{

// The job list and the crop profiles of the main window as the preview reads them.
class PreviewAdapters : public preview::PreviewJobList, public preview::CropProfileSource
{
public:
    explicit PreviewAdapters(joblist::JobListPanels& jobList) : jobList_(jobList) {}

    int entryCount() const override;
    joblist::JobEntry entry(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    preview::CropPercentages cropProfile(int n) const override;

private:
    joblist::JobListPanels& jobList_;
};

} // namespace pagula::app
