#include "compose/CellPlacer.h"

#include "common/Error.h"

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

PictureTask pictureTask(const joblist::JobEntry& entry, bool isPicture, QSizeF cellSize,
                        const CompositionSettings& settings)
{
    PictureTask task{entry.path, cellSize, {}, {}};
    if (isPicture) {
        // A page that is cut out keeps its proportions: stretched to the cell it would be
        // distorted by however much the cut changed its shape.
        task.adjustments = document::CellAdjustments{
            settings.brightness / 100.0, settings.contrast / 100.0, settings.colorType,
            settings.preparation, settings.keepProportions || settings.preparation.findPage};
        if (entry.cropProfile == 1 || entry.cropProfile == 2)
            task.crop = cellCrop(settings.cropProfile(entry.cropProfile));
    }
    return task;
}

void placeCell(Session& s, const PreparedPicture& picture, double width, double height,
               const CellEdges& edges)
{
    if (picture.failure)
        throw common::Error(*picture.failure);
    document::Cell cell;
    cell.path = picture.task.path;
    cell.size = QSizeF(width, height);
    cell.adjustments = picture.task.adjustments;
    cell.crop = picture.task.crop;
    cell.ownSize = picture.ownSize;
    if (s.settings.now().frame)
        cell.edges = edges;
    s.builder.addCell(cell);

    ++s.cellNumber;
    s.events.progressed(s.cellNumber);
}

} // namespace pagula::compose
