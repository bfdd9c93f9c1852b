#include "preview/RenderPlan.h"

#include "preview/Resample.h"

namespace pagula::preview {

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

QImage renderAll(const RenderPlan& plan)
{
    return renderRegion(plan, QRect(QPoint(0, 0), plan.shownSize));
}

} // namespace pagula::preview
