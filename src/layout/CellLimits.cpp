#include "layout/CellLimits.h"

#include <cstdint>

namespace pagula::layout
{

double maxCellSize(int pageLength, int marginBefore, int marginAfter, int count)
{
    const std::int64_t room = std::int64_t(pageLength) - marginBefore - marginAfter;
    return double(room) / double(count > 0 ? count : 1);
}

bool clampToMaximum(double& size, double maximum)
{
    if (!(size > maximum))
        return false;
    size = maximum;
    return true;
}

} // namespace pagula::layout
