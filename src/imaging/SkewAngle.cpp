#include "imaging/SkewAngle.h"

#include <leptonica/allheaders.h>

namespace pagula::imaging
{

namespace
{

constexpr float sweepRange = 10.0f; // degrees either way
constexpr float sweepStep = 1.0f;
constexpr float finestStep = 0.01f;
// Leptonica's ratio of the best to the worst line-sharpness score; below it the angle is a
// guess (its own deskewing uses the same bound).
constexpr float minConfidence = 3.0f;

} // namespace

std::optional<double> findSkew(Pix* ink)
{
    if (!ink)
        return std::nullopt;
    l_float32 angle = 0.0f, confidence = 0.0f;
    // A coarse sweep at half size, then a binary search at full size.
    if (pixFindSkewSweepAndSearch(ink, &angle, &confidence, 2, 1, sweepRange, sweepStep,
                                  finestStep) != 0 ||
        confidence < minConfidence)
        return std::nullopt;
    // Leptonica answers with the turn that levels the print, clockwise positive.
    return -double(angle);
}

} // namespace pagula::imaging
