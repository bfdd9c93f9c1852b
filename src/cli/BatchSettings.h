#pragma once

#include "cli/ComposeOptions.h"
#include "compose/CompositionSettings.h"

namespace pagula::cli
{

// The composition's settings from the command line: fixed for the whole run, every entry of
// the job list taken.
class BatchSettings : public compose::CompositionSettings
{
public:
    BatchSettings(const ComposeOptions& options, joblist::JobEntries entries);

    bool twoSided() override { return o_.twoSided; }
    joblist::JobEntries tickedEntries() override { return entries_; }
    int columns() override { return o_.columns; }
    int rows() override { return o_.rows; }
    double cellWidth() override { return cellWidth_; }
    double cellHeight() override { return cellHeight_; }
    int marginLeft() override { return o_.marginLeft; }
    int marginRight() override { return o_.marginRight; }
    int marginTop() override { return o_.marginTop; }
    int marginBottom() override { return o_.marginBottom; }
    int gutterSize() override { return o_.gutterSize; }
    layout::GutterSide gutterSide() override { return gutterSide_; }
    void setGutterSide(layout::GutterSide side) override { gutterSide_ = side; }
    QPointF backOffset() override { return o_.backOffset; }
    int brightness() override { return o_.brightness; }
    int contrast() override { return o_.contrast; }
    document::ColorType colorType() override { return o_.colorType; }
    bool frame() override { return o_.frame; }
    compose::CropProfile cropProfile(int profile) override
    {
        return profile == 2 ? o_.profile2 : o_.profile1;
    }

private:
    ComposeOptions o_;
    joblist::JobEntries entries_;
    double cellWidth_;
    double cellHeight_;
    layout::GutterSide gutterSide_;
};

} // namespace pagula::cli
