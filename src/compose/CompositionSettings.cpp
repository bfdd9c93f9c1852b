#include "compose/CompositionSettings.h"

#include <tuple>

namespace pagula::compose
{

namespace
{

auto fields(const CompositionSettings& s)
{
    return std::tie(s.twoSided, s.ticked, s.columns, s.rows, s.cellWidth, s.cellHeight,
                    s.marginLeft, s.marginRight, s.marginTop, s.marginBottom, s.gutterSize,
                    s.gutterSide, s.backOffset, s.brightness, s.contrast, s.colorType, s.frame,
                    s.profile1, s.profile2, s.preparation.findPage, s.preparation.straighten,
                    s.preparation.evenBackground, s.keepProportions);
}

} // namespace

bool CompositionSettings::operator==(const CompositionSettings& o) const
{
    // Lists that share their data compare at once, so a window that republishes an unchanged
    // job list costs nothing.
    return fields(*this) == fields(o);
}

} // namespace pagula::compose
