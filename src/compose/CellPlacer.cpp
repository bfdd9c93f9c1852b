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

void placeCell(Session& s, const joblist::JobEntry& entry, bool isPicture, double width,
               double height, const CellEdges& edges)
{
    document::Cell cell;
    cell.path = entry.path;
    cell.size = QSizeF(width, height);
    if (isPicture) {
        cell.adjustments = document::CellAdjustments{
            s.settings.brightness() / 100.0, s.settings.contrast() / 100.0, s.settings.colorType()};
        if (entry.cropProfile == 1 || entry.cropProfile == 2)
            cell.crop = cellCrop(s.settings.cropProfile(entry.cropProfile));
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
