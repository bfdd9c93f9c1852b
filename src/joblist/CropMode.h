#pragma once

namespace pagula::joblist
{

// One-side mode gives entries the codes "0" and "1" only; two-side mode makes them alternate
// between profile 1 ("1") and profile 2 ("2").
enum class CropMode { OneSide, TwoSide };

// Whole percentages 0..100 of the picture to cut away: left and right of the width, top and
// bottom of the height.
struct CropProfile {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    friend bool operator==(const CropProfile& a, const CropProfile& b)
    {
        return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
    }
};

} // namespace pagula::joblist
