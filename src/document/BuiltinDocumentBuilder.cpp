#include "document/BuiltinDocumentBuilder.h"

#include "common/Error.h"
#include "imaging/ImageIO.h"

#include <optional>

namespace pagula::document
{

// Lengths and picture format values pass through single precision on their way into the
// document, as they always have, so documents come out as they did before.

namespace
{

void applyCrop(InlinePicture& picture, const CellCrop& crop)
{
    picture.setScaleHeight(100.0f);
    picture.setScaleWidth(100.0f);
    const long double w = static_cast<float>(picture.width());
    const long double h = static_cast<float>(picture.height());
    // Percentages of the picture's own size, computed wide and kept as single precision.
    const auto points = [](double percent, long double length) {
        return static_cast<float>(percent * (length / 100.0L));
    };
    if (crop.bottom != 0)
        picture.setCrop(CropSide::Bottom, points(crop.bottom, h));
    if (crop.top != 0)
        picture.setCrop(CropSide::Top, points(crop.top, h));
    if (crop.left != 0)
        picture.setCrop(CropSide::Left, points(crop.left, w));
    if (crop.right != 0)
        picture.setCrop(CropSide::Right, points(crop.right, w));
}

} // namespace

QSizeF cellPictureSize(const QString& path)
{
    try {
        return imaging::probeFile(path).sizeInPoints();
    } catch (const common::Error& e) {
        throw common::Error(QStringLiteral("Cannot insert picture %1: %2").arg(path, e.message()));
    }
}

std::shared_ptr<Document> BuiltinDocumentBuilder::beginDocument(const QMarginsF& margins)
{
    auto document = std::make_shared<Document>();
    document->setTopMargin(static_cast<float>(margins.top()));
    document->setLeftMargin(static_cast<float>(margins.left()));
    document->setBottomMargin(static_cast<float>(margins.bottom()));
    document->setRightMargin(static_cast<float>(margins.right()));
    current_ = document;
    return document;
}

Document& BuiltinDocumentBuilder::document()
{
    if (!current_)
        throw common::Error(QStringLiteral("No document is open"));
    return *current_;
}

void BuiltinDocumentBuilder::addCell(const Cell& cell)
{
    Document& doc = document();
    std::optional<InlinePicture> picture;
    picture.emplace(cell.path, cell.ownSize ? *cell.ownSize : cellPictureSize(cell.path),
                    /*linkToFile=*/true, /*saveWithDocument=*/false);
    // The picture comes in at its own size, made smaller when it would not fit the page; the
    // crop and the cell size below start from there.
    picture->fitInto(doc.textArea().size());
    if (cell.adjustments) {
        picture->setBrightness(static_cast<float>(cell.adjustments->brightness));
        picture->setContrast(static_cast<float>(cell.adjustments->contrast));
        picture->setColorType(cell.adjustments->colorType);
        picture->setPreparation(cell.adjustments->preparation);
        picture->setKeepProportions(cell.adjustments->keepProportions);
    }
    if (cell.crop)
        applyCrop(*picture, *cell.crop);
    const std::pair<bool, BorderEdge> edges[] = {{cell.edges.top, BorderEdge::Top},
                                                 {cell.edges.left, BorderEdge::Left},
                                                 {cell.edges.bottom, BorderEdge::Bottom},
                                                 {cell.edges.right, BorderEdge::Right}};
    for (const auto& [wanted, edge] : edges)
        if (wanted)
            picture->setBorder(edge, LineStyleSingle, LineWidthQuarterPoint);
    picture->setWidth(static_cast<float>(cell.size.width()));
    picture->setHeight(static_cast<float>(cell.size.height()));
    // Appended only when complete: a cell that fails leaves the document as it was.
    doc.insertPicture(doc.itemCount(), std::move(*picture));
}

void BuiltinDocumentBuilder::append(ItemKind mark)
{
    Document& doc = document();
    doc.insertControl(doc.itemCount(), mark);
}

void BuiltinDocumentBuilder::endRow()
{
    append(ItemKind::ParagraphMark);
}

void BuiltinDocumentBuilder::breakLine()
{
    append(ItemKind::LineBreak);
}

void BuiltinDocumentBuilder::breakPage()
{
    append(ItemKind::PageBreak);
}

} // namespace pagula::document
