#pragma once

#include "document/PictureFormat.h"
#include "imaging/PagePreparation.h"

#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>

namespace pagula::document
{

// Which frame lines a cell draws.
struct CellEdges {
    bool top = false;
    bool left = false;
    bool bottom = false;
    bool right = false;
};

// Per cent of the picture's own size cut away on each side: left and right of the width, top
// and bottom of the height.
struct CellCrop {
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;
};

// Brightness and contrast 0.0 to 1.0 (0.5 neutral), the colour type of a picture cell, the
// page preparation done before the crop and whether the picture keeps its proportions in the
// cell.
struct CellAdjustments {
    double brightness = 0.5;
    double contrast = 0.5;
    ColorType colorType = ColorType::Automatic;
    imaging::PreparationOptions preparation;
    bool keepProportions = false;
};

// One cell of the grid: a linked picture shown at exactly the cell's size.
struct Cell {
    QString path;
    QSizeF size; // points
    // Picture cells carry the adjustments; strips keep the picture defaults.
    std::optional<CellAdjustments> adjustments;
    // Applied to the picture at its own size; the cell size then stretches what remains.
    std::optional<CellCrop> crop;
    CellEdges edges; // single 1/4 pt lines
    // The picture's own size (points) when it has been read already; else the builder reads it.
    std::optional<QSizeF> ownSize = std::nullopt;
};

// Builds the documents of a composition, front to back: cells in reading order, rows ended by
// a paragraph mark, line and page breaks where the grid needs them. Every operation takes
// constant time, so a long job list composes in linear time. Operations may throw
// pagula::common::Error with a message for the user; a cell that fails leaves the document as it
// was.
class Document;

class DocumentBuilder
{
public:
    virtual ~DocumentBuilder() = default;

    // Starts a new A4 portrait document with these page margins (points) and returns it; the
    // following operations build it.
    virtual std::shared_ptr<Document> beginDocument(const QMarginsF& margins) = 0;
    // Appends a cell. Fails with "Cannot insert picture <path>: <reason>" when the file is
    // missing, unreadable or not a picture.
    virtual void addCell(const Cell& cell) = 0;
    virtual void endRow() = 0;
    virtual void breakLine() = 0;
    virtual void breakPage() = 0;
};

} // namespace pagula::document
