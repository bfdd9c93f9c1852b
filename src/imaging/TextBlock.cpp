#include "imaging/TextBlock.h"

#include "imaging/LeptonicaImage.h"

#include <leptonica/allheaders.h>

namespace pagula::imaging
{

namespace
{

// Marks closer than this join into one group (letters into words). Print runs along its lines:
// a group narrower than `minWidth`, gaps included, is a speck of dirt or noise or a sliver that
// evening the paper left along a gutter, however near the print it lies.
constexpr int groupGap = 5;
constexpr int minWidth = 10;

struct BoxaDeleter {
    void operator()(Boxa* boxa) const { boxaDestroy(&boxa); }
};

} // namespace

QRect findTextBlock(Pix* ink)
{
    if (!ink)
        return {};
    const PixPtr grouped = adopt(pixDilateBrick(nullptr, ink, groupGap, groupGap));
    const std::unique_ptr<Boxa, BoxaDeleter> boxes(grouped ? pixConnCompBB(grouped.get(), 8)
                                                           : nullptr);
    if (!boxes)
        return {};
    const int width = pixGetWidth(ink), height = pixGetHeight(ink);
    const int spread = groupGap / 2;
    QRect block;
    for (int i = 0; i < boxaGetCount(boxes.get()); ++i) {
        l_int32 x = 0, y = 0, w = 0, h = 0;
        if (boxaGetBoxGeometry(boxes.get(), i, &x, &y, &w, &h) != 0)
            continue;
        if (w < minWidth)
            continue;
        // Whatever touches the edge is a band or a sliver of the surroundings; print cut by the
        // edge loses at most a letter, which the pad gives back.
        if (x == 0 || y == 0 || x + w >= width || y + h >= height)
            continue;
        block |= QRect(x, y, w, h).adjusted(spread, spread, -spread, -spread);
    }
    return block;
}

} // namespace pagula::imaging
