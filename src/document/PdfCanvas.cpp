#include "document/PdfCanvas.h"

namespace pagula::document
{

void PdfCanvas::drawPicture(const QRectF& box, const QImage& picture)
{
    writer_.drawImage(box, picture);
}

void PdfCanvas::drawPlaceholder(const QRectF& box)
{
    writer_.fillRect(box, PlaceholderFillGrey / 255.0);
    const double grey = PlaceholderCrossGrey / 255.0;
    writer_.strokeLine(box.topLeft(), box.bottomRight(), PlaceholderCrossWidthPoints, grey);
    writer_.strokeLine(box.topRight(), box.bottomLeft(), PlaceholderCrossWidthPoints, grey);
}

void PdfCanvas::drawEdge(const EdgeLine& line)
{
    writer_.fillRect(edgeArea(line), 0.0);
}

} // namespace pagula::document
