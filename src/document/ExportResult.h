#pragma once

#include "document/PageRenderer.h"

#include <QList>

#include <functional>

namespace pagula::document
{

// Called before each page of a long export with the page number (from 1) and the page count.
// Returning false cancels the export; a cancelled save leaves the previous file as it was.
using ProgressCallback = std::function<bool(int page, int pageCount)>;

struct ExportResult {
    bool cancelled = false;
    int pagesWritten = 0;
    // Pictures drawn as placeholders (only when broken pictures do not stop the export).
    QList<PictureFailure> failures;
    // Printing to a queue of the print service: the id of the job it took (0 otherwise).
    int printJob = 0;
};

// How an export treats a picture that cannot be drawn.
enum class BrokenPicture {
    Fail,           // stop with an error naming the picture; a saved file stays as it was
    UsePlaceholder, // draw the placeholder, list the picture in the result
};

} // namespace pagula::document
