#include "imaging/Resolution.h"

#include "imaging/ImageIO.h"
#include "imaging/Limits.h"

#include <cmath>

namespace pagula::imaging
{

double dpiFromInches(double dpi)
{
    if (!std::isfinite(dpi) || dpi < limits::minDpi || dpi > limits::maxDpi)
        return 0.0;
    const double whole = std::round(dpi);
    return std::abs(dpi - whole) < 0.05 ? whole : dpi;
}

double dpiFromCentimetres(double dpcm)
{
    return dpiFromInches(dpcm * 2.54);
}

double dpiFromMetres(double dpm)
{
    return dpiFromInches(dpm * 0.0254);
}

double dpiFromUnit(double value, ResolutionUnit unit)
{
    switch (unit) {
    case ResolutionUnit::Inch:
        return dpiFromInches(value);
    case ResolutionUnit::Centimetre:
        return dpiFromCentimetres(value);
    case ResolutionUnit::None:
        break;
    }
    return 0.0;
}

bool setResolution(ImageInfo& info, double dpiX, double dpiY)
{
    if (dpiX <= 0.0 || dpiY <= 0.0)
        return false;
    info.dpiX = dpiX;
    info.dpiY = dpiY;
    return true;
}

} // namespace pagula::imaging
