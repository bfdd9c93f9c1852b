#pragma once

#include "document/InlinePicture.h"

#include <QString>

namespace pagula::document
{

// How our picture format maps onto the values word processors store. Our renderer applies the
// contrast as a slope of tan(c * pi / 2) about mid-grey, then adds (b - 0.5) * 510 to every
// channel for the brightness b; LibreOffice applies a contrast percentage p as the slope
// 128 / (128 - 1.27 p) above 0 and (128 + 1.27 p) / 128 below, then adds a luminance
// percentage L as L * 2.55. The two meet where these slopes and shifts are equal.

// Luminance percentage (-100 to 100, 0 neutral) for a brightness of 0 to 1 (0.5 neutral).
double luminancePercent(double brightness);
// Contrast percentage (-100 to 100, 0 neutral) for a contrast of 0 to 1 (0.5 neutral).
double contrastPercent(double contrast);
// Our contrast slope for a contrast of 0 to 1; a large finite number at 1.
double contrastSlope(double contrast);

// DrawingML a:lum values, thousandths of a percent. Office applies half of the brightness
// before the contrast and half after it (LibreOffice reads a:lum so), so the shift that we add
// after the contrast becomes 2 L / (slope + 1) there.
int drawingMlBrightness(double brightness, double contrast);
int drawingMlContrast(double contrast);

// A length in points as an ODF length ("12.5pt"), with at most four decimals.
QString odfPoints(double points);
// A length in points as English Metric Units (12700 per point), rounded.
qint64 emu(double points);
// A length in points as twentieths of a point, rounded.
int twips(double points);

// ODF fo:clip for a picture's crop: "rect(top, right, bottom, left)" in points of the picture
// at 100 %, which is how LibreOffice reads it.
QString odfClip(const Crop& crop);

// Crop of one side as DrawingML's share of the picture, thousandths of a percent.
struct CropShares {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
CropShares cropShares(const InlinePicture& picture);

} // namespace pagula::document
