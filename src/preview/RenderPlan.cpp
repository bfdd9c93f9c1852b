#include "preview/RenderPlan.h"

#include "preview/Resample.h"

#include <thread>

namespace pagula::preview
{

QImage renderRegion(const RenderPlan& plan, const QRect& region)
{
    if (plan.isEmpty())
        return {};
    const QRect area = region & QRect(QPoint(0, 0), plan.shownSize);
    QImage out = resampleRegion(plan.source, plan.shownSize, area);
    if (out.isNull())
        return out;
    const bool stretched = plan.shownSize != plan.bitmapSize;
    for (const CropBandSet& set : plan.bands) {
        CropBandSet shown = set;
        if (stretched) {
            for (BandRect& b : shown)
                b = stretchBand(b, plan.bitmapSize, plan.shownSize);
        }
        paintBands(out, area.topLeft(), shown);
    }
    return out;
}

std::vector<QImage> renderRegions(const RenderPlan& plan, const std::vector<QRect>& regions)
{
    std::vector<QImage> out(regions.size());
    const auto renderEvery = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < regions.size(); i += step)
            out[i] = renderRegion(plan, regions[i]);
    };
    if (regions.size() < 2 || std::thread::hardware_concurrency() < 2) {
        renderEvery(0, 1);
        return out;
    }
    // QImage is only read here and each result is painted by one thread, so this is safe.
    std::thread helper(renderEvery, 1, 2);
    renderEvery(0, 2);
    helper.join();
    return out;
}

QImage renderAll(const RenderPlan& plan)
{
    return renderRegion(plan, QRect(QPoint(0, 0), plan.shownSize));
}

} // namespace pagula::preview
