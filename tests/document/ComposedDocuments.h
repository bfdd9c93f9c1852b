#pragma once

#include "compose/CompositionSettings.h"
#include "document/Document.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace pagula::document::test
{

// The main window's settings as plain data, at their start values unless a test changes them.
struct LayoutChoice {
    bool twoSided = false;
    int columns = 3;
    int rows = 3;
    double cellWidth = 64.3; // mm
    double cellHeight = 90.0;
    int marginLeft = 7;
    int marginRight = 10;
    int marginTop = 7;
    int marginBottom = 20;
    int gutterSize = 6;
    layout::GutterSide gutterSide = layout::GutterSide::Left;
    QPointF backOffset; // mm
    int brightness = 50;
    int contrast = 50;
    ColorType colorType = ColorType::Greyscale;
    bool frame = true;
    compose::CropProfile profile1;
    compose::CropProfile profile2;
};

// Runs the composition with the built-in document layer over ticked job entries (written as in
// the job list file: picture path and crop code) and returns the documents it made: one, or a
// front and a back side. The filler picture is written at fillerPath. Fails the test when the
// run reports an error.
std::vector<std::shared_ptr<Document>>
composeDocuments(const QStringList& ticked, const LayoutChoice& layout, const QString& fillerPath);

} // namespace pagula::document::test
