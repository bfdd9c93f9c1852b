#include "app/ProgressDisplay.h"

#include <algorithm>

namespace pagula::app
{

ProgressDisplay progressDisplay(int minimum, int maximum, int position)
{
    if (maximum <= minimum)
        return {0, 1, 0};
    return {minimum, maximum, std::clamp(position, minimum, maximum)};
}

} // namespace pagula::app
