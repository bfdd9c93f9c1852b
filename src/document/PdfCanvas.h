#pragma once

#include "document/PageCanvas.h"
#include "document/PdfWriter.h"

namespace pagula::document
{

// Draws a page into a PDF page: pictures as images at their prepared resolution, edges and
// the placeholder as vector paths.
class PdfCanvas : public PageCanvas
{
public:
    explicit PdfCanvas(PdfWriter& writer) : writer_(writer) {}

    void drawPicture(const QRectF& box, const QImage& picture) override;
    void drawPlaceholder(const QRectF& box) override;
    void drawEdge(const EdgeLine& line) override;

private:
    PdfWriter& writer_;
};

} // namespace pagula::document
