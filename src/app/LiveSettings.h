#pragma once

#include "compose/CompositionSettings.h"

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout
namespace pagula::joblist
{
class JobListPanels;
}

namespace pagula::app
{

class AdjustmentsPanel;

// The main window's controls as the generation reads them: every value is taken from its
// control at the moment of the call, so a change the user makes during a run reaches the cells
// placed afterwards.
class LiveSettings : public compose::CompositionSettings
{
public:
    LiveSettings(layout::LayoutPanel& layout, joblist::JobListPanels& jobList,
                 AdjustmentsPanel& adjustments);

    bool twoSided() override;
    joblist::JobEntries tickedEntries() override;
    int columns() override;
    int rows() override;
    double cellWidth() override;
    double cellHeight() override;
    int marginLeft() override;
    int marginRight() override;
    int marginTop() override;
    int marginBottom() override;
    int gutterSize() override;
    layout::GutterSide gutterSide() override;
    // From the program's settings, read at each call like the controls.
    QPointF backOffset() override;
    // The back side's mirrored gutter only changes the side the drop-down shows; it is no
    // user's choice, so the layout handlers do not run.
    void setGutterSide(layout::GutterSide side) override;
    int brightness() override;
    int contrast() override;
    document::ColorType colorType() override;
    bool frame() override;
    compose::CropProfile cropProfile(int profile) override;

private:
    layout::LayoutPanel& layout_;
    joblist::JobListPanels& jobList_;
    AdjustmentsPanel& adjustments_;
};

} // namespace pagula::app
