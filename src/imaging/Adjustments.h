#pragma once

#include <QImage>

namespace pagula::imaging
{

enum class ColorMode { Automatic, Greyscale, BlackAndWhite };

// Picture adjustments as a word processor applies them to an inserted picture.
struct Adjustments {
    double brightness = 0.5; // 0 black, 0.5 unchanged, 1 white
    double contrast = 0.5;   // 0 flat grey, 0.5 unchanged, rising to a hard threshold at 1
    ColorMode colorMode = ColorMode::Automatic;

    bool isNeutral() const
    {
        return brightness == 0.5 && contrast == 0.5 && colorMode == ColorMode::Automatic;
    }
};

// Returns the adjusted picture: brightness and contrast on every channel, then greyscale by
// luminance (Format_Grayscale8) or black and white thresholded at mid-grey (Format_Mono).
QImage applyAdjustments(const QImage& image, const Adjustments& adjustments);

} // namespace pagula::imaging
