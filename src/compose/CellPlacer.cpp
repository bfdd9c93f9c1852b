#include "compose/CellPlacer.h"

namespace pagula::compose {

using document::BorderEdge;
using document::ColorType;
using document::CropSide;

namespace {

void applyCrop(document::Engine& engine, int n, const CropProfile& profile)
{
    engine.setScaleHeight(n, 100.0f);
    engine.setScaleWidth(n, 100.0f);
    const long double w = engine.width(n);
    const long double h = engine.height(n);
    // Percentages of the picture's own size, computed wide and passed as single precision.
    if (profile.bottom != 0)
        engine.setCrop(n, CropSide::Bottom, float(profile.bottom * (h / 100.0L)));
    if (profile.top != 0)
        engine.setCrop(n, CropSide::Top, float(profile.top * (h / 100.0L)));
    if (profile.left != 0)
        engine.setCrop(n, CropSide::Left, float(profile.left * (w / 100.0L)));
    if (profile.right != 0)
        engine.setCrop(n, CropSide::Right, float(profile.right * (w / 100.0L)));
}

} // namespace

void placeCell(Session& s, const QString& entry, bool isPicture, double width, double height,
               const CellEdges& edges)
{
    const QChar cropCode = entry.isEmpty() ? QLatin1Char('0') : entry.back();
    const QString path = entry.isEmpty() ? entry : entry.chopped(1);

    document::Engine& engine = s.engine;
    engine.addPicture(path, /*linkToFile=*/true, /*saveWithDocument=*/false);
    engine.selectWholeDocument();
    const int n = s.cellNumber;

    if (isPicture) {
        engine.setBrightness(n, float(s.settings.brightness() / 100.0));
        engine.setContrast(n, float(s.settings.contrast() / 100.0));
        engine.setColorType(n, ColorType(s.settings.colorFormat() + 1));
        if (cropCode == QLatin1Char('1'))
            applyCrop(engine, n, s.settings.cropProfile(1));
        else if (cropCode == QLatin1Char('2'))
            applyCrop(engine, n, s.settings.cropProfile(2));
    }

    if (s.settings.frame()) {
        const std::pair<bool, BorderEdge> order[] = {{edges.top, BorderEdge::Top},
                                                     {edges.left, BorderEdge::Left},
                                                     {edges.bottom, BorderEdge::Bottom},
                                                     {edges.right, BorderEdge::Right}};
        for (const auto& [wanted, edge] : order)
            if (wanted)
                engine.setBorder(n, edge, document::LineStyleSingle,
                                 document::LineWidthQuarterPoint);
    }

    engine.setWidth(n, float(width));
    engine.setHeight(n, float(height));
    s.collapseToEnd();

    ++s.cellNumber;
    s.host.setProgressPosition(s.cellNumber);
    s.host.repaintProgress();
    s.host.processEvents();
}

} // namespace pagula::compose
