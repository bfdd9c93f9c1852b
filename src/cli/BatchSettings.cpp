#include "cli/BatchSettings.h"

namespace pagula::cli
{

compose::CompositionSettings batchSettings(const ComposeOptions& o, joblist::JobEntries entries)
{
    compose::CompositionSettings s;
    s.twoSided = o.twoSided;
    s.ticked = std::move(entries);
    s.columns = o.columns;
    s.rows = o.rows;
    s.cellWidth = chosenCellWidth(o);
    s.cellHeight = chosenCellHeight(o);
    s.marginLeft = o.marginLeft;
    s.marginRight = o.marginRight;
    s.marginTop = o.marginTop;
    s.marginBottom = o.marginBottom;
    s.gutterSize = o.gutterSize;
    s.gutterSide = o.gutterSide;
    s.backOffset = o.backOffset;
    s.brightness = o.brightness;
    s.contrast = o.contrast;
    s.colorType = o.colorType;
    s.frame = o.frame;
    s.preparation = o.preparation;
    s.keepProportions = o.keepProportions;
    s.profile1 = o.profile1;
    s.profile2 = o.profile2;
    return s;
}

} // namespace pagula::cli
