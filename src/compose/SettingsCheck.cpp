#include "compose/SettingsCheck.h"

#include "joblist/JobEntry.h"

namespace pagula::compose
{

namespace
{

layout::LayoutCrop crop(const CropProfile& p)
{
    return {p.left, p.right, p.top, p.bottom};
}

} // namespace

layout::LayoutInput layoutInput(const CompositionSettings& s)
{
    layout::LayoutInput in;
    in.columns = s.columns;
    in.rows = s.rows;
    in.cellWidth = s.cellWidth;
    in.cellHeight = s.cellHeight;
    in.marginLeft = s.marginLeft;
    in.marginRight = s.marginRight;
    in.marginTop = s.marginTop;
    in.marginBottom = s.marginBottom;
    in.gutterSize = s.gutterSize;
    in.gutterSide = s.gutterSide;
    in.crop1 = crop(s.profile1);
    in.crop2 = crop(s.profile2);
    return in;
}

std::optional<layout::LayoutProblem> checkSettings(const CompositionSettings& s,
                                                   const joblist::JobEntries& entries)
{
    layout::LayoutInput in = layoutInput(s);
    in.crop1Used = false;
    in.crop2Used = false;
    for (const joblist::JobEntry& e : entries) {
        if (e.isBlank())
            continue;
        in.crop1Used = in.crop1Used || e.cropProfile == 1;
        in.crop2Used = in.crop2Used || e.cropProfile == 2;
    }
    return layout::checkLayout(in);
}

} // namespace pagula::compose
