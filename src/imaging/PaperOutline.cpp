#include "imaging/PaperOutline.h"

#include "imaging/LeptonicaImage.h"
#include "imaging/QuadrilateralFit.h"
#include "imaging/ReducedCopy.h"

#include <leptonica/allheaders.h>

#include <QTransform>

#include <algorithm>
#include <array>
#include <vector>

namespace pagula::imaging
{

namespace
{

// The outline is traced on a copy at most this many pixels across.
constexpr int tracingSide = 500;
// A page must cover this share of the picture; the paper and the table must differ by this
// many grey levels.
constexpr double minPaperShare = 0.15;
constexpr int minContrast = 40;
// A border counts as touched when paper covers this share of it.
constexpr double touchedBorder = 0.5;
// The table's brightness is the one this share of the border stays at or below.
constexpr double tableBorder = 0.95;

// Otsu's threshold of a histogram: the level that best splits it into two classes.
int otsuLevel(const std::array<qint64, 256>& histogram)
{
    qint64 total = 0;
    double sum = 0;
    for (int v = 0; v < 256; ++v) {
        total += histogram[v];
        sum += double(v) * histogram[v];
    }
    double sumBelow = 0, bestScore = -1;
    qint64 below = 0;
    int best = 128;
    for (int v = 0; v < 256; ++v) {
        below += histogram[v];
        sumBelow += double(v) * histogram[v];
        const qint64 above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double meanBelow = sumBelow / below;
        const double meanAbove = (sum - sumBelow) / above;
        const double score =
            double(below) * double(above) * (meanAbove - meanBelow) * (meanAbove - meanBelow);
        if (score > bestScore) {
            bestScore = score;
            best = v + 1;
        }
    }
    return best;
}

// Text erased by a grey closing (the paper's brightness spreads over dark print).
QImage withoutPrint(const QImage& grey)
{
    const int size = std::max(3, std::max(grey.width(), grey.height()) / 80) | 1;
    const PixPtr pix = toPix(grey);
    if (!pix)
        return {};
    const PixPtr closed = adopt(pixCloseGray(pix.get(), size, size));
    return fromPix(closed.get());
}

// The largest 4-connected region of `mask` (1 = set), as a new mask, with its pixel count.
std::vector<uchar> largestRegion(const std::vector<uchar>& mask, int width, int height,
                                 qint64& count)
{
    std::vector<int> label(mask.size(), 0);
    std::vector<int> stack;
    int bestLabel = 0, next = 0;
    count = 0;
    for (size_t start = 0; start < mask.size(); ++start) {
        if (!mask[start] || label[start])
            continue;
        ++next;
        qint64 size = 0;
        stack.assign(1, int(start));
        label[start] = next;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++size;
            const int x = i % width, y = i / width;
            const int neighbours[4] = {x > 0 ? i - 1 : -1, x + 1 < width ? i + 1 : -1,
                                       y > 0 ? i - width : -1, y + 1 < height ? i + width : -1};
            for (int n : neighbours) {
                if (n >= 0 && mask[size_t(n)] && !label[size_t(n)]) {
                    label[size_t(n)] = next;
                    stack.push_back(n);
                }
            }
        }
        if (size > count) {
            count = size;
            bestLabel = next;
        }
    }
    std::vector<uchar> region(mask.size());
    for (size_t i = 0; i < mask.size(); ++i)
        region[i] = label[i] == bestLabel && bestLabel != 0;
    return region;
}

// `region` with its holes filled: whatever of the rest cannot be reached from the picture's
// border. A large dark figure printed on the page leaves such a hole in the bright paper; the
// page is the whole sheet around it, and the figure's edges are not the sheet's. Returns the
// filled region's pixel count.
qint64 fillHoles(std::vector<uchar>& region, int width, int height)
{
    std::vector<uchar> outside(region.size(), 0);
    std::vector<int> stack;
    const auto reach = [&](int x, int y) {
        const size_t i = size_t(y) * width + x;
        if (!region[i] && !outside[i]) {
            outside[i] = 1;
            stack.push_back(int(i));
        }
    };
    for (int x = 0; x < width; ++x) {
        reach(x, 0);
        reach(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        reach(0, y);
        reach(width - 1, y);
    }
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int x = i % width, y = i / width;
        if (x > 0)
            reach(x - 1, y);
        if (x + 1 < width)
            reach(x + 1, y);
        if (y > 0)
            reach(x, y - 1);
        if (y + 1 < height)
            reach(x, y + 1);
    }
    qint64 count = 0;
    for (size_t i = 0; i < region.size(); ++i) {
        region[i] = !outside[i];
        count += region[i];
    }
    return count;
}

// Points halfway between each region pixel and a neighbour outside it: the region's edge,
// without the half-pixel inward bias of the pixel centres.
std::vector<QPointF> edgePoints(const std::vector<uchar>& region, int width, int height)
{
    std::vector<QPointF> points;
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && region[size_t(y) * width + x];
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!region[size_t(y) * width + x])
                continue;
            const double cx = x + 0.5, cy = y + 0.5;
            if (!inside(x - 1, y))
                points.emplace_back(cx - 0.5, cy);
            if (!inside(x + 1, y))
                points.emplace_back(cx + 0.5, cy);
            if (!inside(x, y - 1))
                points.emplace_back(cx, cy - 0.5);
            if (!inside(x, y + 1))
                points.emplace_back(cx, cy + 0.5);
        }
    }
    return points;
}

int touchedBorders(const std::vector<uchar>& region, int width, int height)
{
    qint64 top = 0, bottom = 0, left = 0, right = 0;
    for (int x = 0; x < width; ++x) {
        top += region[size_t(x)];
        bottom += region[size_t(height - 1) * width + x];
    }
    for (int y = 0; y < height; ++y) {
        left += region[size_t(y) * width];
        right += region[size_t(y) * width + width - 1];
    }
    return int(top > touchedBorder * width) + int(bottom > touchedBorder * width) +
           int(left > touchedBorder * height) + int(right > touchedBorder * height);
}

// The brightness that all but a few of the picture's border pixels stay at or below: the
// table's, lit, where a sheet lies on one.
int borderBrightness(const QImage& closed)
{
    const int width = closed.width(), height = closed.height();
    std::array<qint64, 256> histogram{};
    for (int x = 0; x < width; ++x) {
        ++histogram[closed.constScanLine(0)[x]];
        ++histogram[closed.constScanLine(height - 1)[x]];
    }
    for (int y = 1; y + 1 < height; ++y) {
        ++histogram[closed.constScanLine(y)[0]];
        ++histogram[closed.constScanLine(y)[width - 1]];
    }
    const qint64 total = 2 * qint64(width) + 2 * qint64(height - 2);
    qint64 seen = 0;
    for (int v = 0; v < 256; ++v) {
        seen += histogram[v];
        if (seen >= tableBorder * total)
            return v;
    }
    return 255;
}

// The sheet as the part of `closed` at `level` or brighter: the largest connected region, its
// holes filled; empty when it is too small for a page or reaches three or four borders (a scan).
std::vector<uchar> sheetAbove(const QImage& closed, int level)
{
    const int width = closed.width(), height = closed.height();
    std::vector<uchar> mask(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const uchar* line = closed.constScanLine(y);
        for (int x = 0; x < width; ++x)
            mask[size_t(y) * width + x] = line[x] >= level;
    }
    qint64 count = 0;
    std::vector<uchar> region = largestRegion(mask, width, height, count);
    count = fillHoles(region, width, height);
    if (count < minPaperShare * width * height || touchedBorders(region, width, height) >= 3)
        return {};
    return region;
}

} // namespace

QPolygonF findPaper(const QImage& copy)
{
    if (copy.format() != QImage::Format_Grayscale8 || copy.width() < 16 || copy.height() < 16)
        return {};
    const int factor = std::max(copy.width(), copy.height()) > tracingSide ? 2 : 1;
    const QImage closed = withoutPrint(reducedCopy(copy, factor, true));
    if (closed.isNull())
        return {};
    const int width = closed.width(), height = closed.height();
    std::array<qint64, 256> histogram{};
    for (int y = 0; y < height; ++y) {
        const uchar* line = closed.constScanLine(y);
        for (int x = 0; x < width; ++x)
            ++histogram[line[x]];
    }
    const int level = otsuLevel(histogram);
    double darkSum = 0, brightSum = 0;
    qint64 dark = 0, bright = 0;
    for (int v = 0; v < 256; ++v) {
        (v >= level ? brightSum : darkSum) += double(v) * histogram[v];
        (v >= level ? bright : dark) += histogram[v];
    }
    if (dark == 0 || bright == 0 || brightSum / bright - darkSum / dark < minContrast)
        return {};

    std::vector<uchar> region = sheetAbove(closed, level);
    if (region.empty()) {
        // A large dark figure printed on the page, or a shadow across the paper, falls below
        // the paper's level with the table, and what is left of the paper may be too little to
        // count: then the sheet is all that is clearly brighter than the table, which is what
        // the picture's border shows.
        const int table = borderBrightness(closed);
        const int tableLevel = table + std::max(minContrast / 4, (level - table) / 4);
        if (tableLevel < level)
            region = sheetAbove(closed, tableLevel);
    }
    if (region.empty())
        return {};
    return QTransform::fromScale(factor, factor)
        .map(fitQuadrilateral(edgePoints(region, width, height)));
}

} // namespace pagula::imaging
