#pragma once

namespace pagula::imaging
{

struct ImageInfo;

// Resolution units as TIFF and EXIF number them.
enum class ResolutionUnit { None = 1, Inch = 2, Centimetre = 3 };

// Dots per inch from a stated value, or 0 when the statement is missing or nonsense.
// Values that only miss a whole number by integer storage in another unit (3780 pixels per
// metre is 96.012 dpi) are taken as that whole number.
double dpiFromInches(double dotsPerInch);
double dpiFromCentimetres(double dotsPerCentimetre);
double dpiFromMetres(double dotsPerMetre);
double dpiFromUnit(double value, ResolutionUnit unit);

// Sets the resolution when both directions are sane; otherwise the default stays.
bool setResolution(ImageInfo& info, double dpiX, double dpiY);

} // namespace pagula::imaging
