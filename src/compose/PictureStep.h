#pragma once

#include "document/DocumentBuilder.h"

#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

namespace pagula::compose
{

// What the composition asks of one picture before its cell is placed: the file, the size of
// its cell and, for a picture cell, the adjustments and the crop as they stood when it was
// asked for.
struct PictureTask {
    QString path;
    QSizeF cellSize; // points
    std::optional<document::CellAdjustments> adjustments;
    std::optional<document::CellCrop> crop;
};

// A picture made ready for its cell. It keeps the values it was made with, so the cell shows
// what was prepared even when the settings have changed since.
struct PreparedPicture {
    PictureTask task;
    QSizeF ownSize; // points
    // Set when the picture cannot be placed: the message the run ends with when its turn comes.
    std::optional<QString> failure;
};

// The work done for one picture, on a worker thread; must not throw.
using PictureStep = std::function<PreparedPicture(const PictureTask& task)>;

// The program's step: reads the picture file's header for its own size and resolution. The
// pixels are decoded when the document is shown, saved or printed.
PreparedPicture probePicture(const PictureTask& task);

} // namespace pagula::compose
