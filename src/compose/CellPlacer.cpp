#include "compose/CellPlacer.h"

namespace pagula::compose
{

namespace
{

document::CellCrop cellCrop(const CropProfile& profile)
{
    return {double(profile.left), double(profile.right), double(profile.top),
            double(profile.bottom)};
}

} // namespace

void PlaceCell(Session& s, const QString& entry, bool isPicture, double width, double height,
               const CellEdges& edges)
{
    const QChar cropCode = entry.isEmpty() ? QLatin1Char('0') : entry.back();

    document::Cell cell;
    cell.path = entry.isEmpty() ? entry : entry.chopped(1);
    cell.size = QSizeF(width, height);
    if (isPicture) {
        cell.adjustments = document::CellAdjustments{
            s.settings.brightness() / 100.0, s.settings.contrast() / 100.0,
            document::ColorType(s.settings.colorFormat() + 1)};
        if (cropCode == QLatin1Char('1'))
            cell.crop = cellCrop(s.settings.cropProfile(1));
        else if (cropCode == QLatin1Char('2'))
            cell.crop = cellCrop(s.settings.cropProfile(2));
    }
    if (s.settings.frame())
        cell.edges = edges;
    s.builder.addCell(cell);

    ++s.cellNumber;
    s.host.setProgressPosition(s.cellNumber);
    s.host.repaintProgress();
    s.host.processEvents();
}

} // namespace pagula::compose
