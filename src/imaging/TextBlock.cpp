#include "imaging/TextBlock.h"

#include <leptonica/allheaders.h>

namespace pagula::imaging
{

namespace
{

// Marks smaller than this in both directions are specks.
constexpr int speckSize = 3;

struct BoxaDeleter {
    void operator()(Boxa* boxa) const { boxaDestroy(&boxa); }
};

} // namespace

QRect findTextBlock(Pix* ink)
{
    if (!ink)
        return {};
    const std::unique_ptr<Boxa, BoxaDeleter> boxes(pixConnCompBB(ink, 8));
    if (!boxes)
        return {};
    const int width = pixGetWidth(ink), height = pixGetHeight(ink);
    QRect block;
    for (int i = 0; i < boxaGetCount(boxes.get()); ++i) {
        l_int32 x = 0, y = 0, w = 0, h = 0;
        if (boxaGetBoxGeometry(boxes.get(), i, &x, &y, &w, &h) != 0)
            continue;
        if (w < speckSize && h < speckSize)
            continue;
        // Whatever touches the edge is a band or a sliver of the surroundings; print cut by the
        // edge loses at most a letter, which the pad gives back.
        if (x == 0 || y == 0 || x + w >= width || y + h >= height)
            continue;
        block |= QRect(x, y, w, h);
    }
    return block;
}

} // namespace pagula::imaging
