#pragma once

#include "layout/SchematicGeometry.h"

#include <QColor>
#include <QFont>
#include <QImage>

namespace pagula::layout
{

// What the page schematic is drawn from: the layout, the frame option and the system colours
// the picture uses (passed in, so drawing needs no application object).
struct SchematicInput {
    SchematicLayout layout;
    bool frame = true;        // cell outlines black when ticked, silver when not
    QColor tooltipBackground; // cell fill and the background of the cell numbers
    QColor windowText = Qt::black;
};

// Fixed colours and the font of the schematic.
QColor schematicCellOutline(bool frame);
QColor schematicStripFill();
QFont schematicNumberFont();

// Draws the whole schematic into `image` (normally kSchematicWidth x kSchematicHeight),
// replacing every earlier drawing. No antialiasing: each rectangle is its outline colour on
// the outer pixel ring and its fill inside.
void drawSchematic(QImage& image, const SchematicInput& input);

// A new picture of the schematic's size with the schematic drawn on it.
QImage renderSchematic(const SchematicInput& input);

} // namespace pagula::layout
