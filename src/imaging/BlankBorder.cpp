#include "imaging/BlankBorder.h"

#include <vector>

namespace pagula::imaging
{

namespace
{

constexpr int marksPerLine = 2;

inline int luminanceOf(QRgb c)
{
    return (qRed(c) * 77 + qGreen(c) * 150 + qBlue(c) * 29 + 128) >> 8;
}

} // namespace

int blankDepth(const QImage& picture, Qt::Edge from, int level)
{
    const bool rows = from == Qt::TopEdge || from == Qt::BottomEdge;
    const int lines = rows ? picture.height() : picture.width();
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    if (picture.isNull() || (!grey && picture.format() != QImage::Format_RGB32))
        return 0;
    // Marks counted per row and per column in one pass along the rows.
    std::vector<int> marks(size_t(lines), 0);
    const int width = picture.width(), height = picture.height();
    for (int y = 0; y < height; ++y) {
        const uchar* greyLine = picture.constScanLine(y);
        const auto* colourLine = reinterpret_cast<const QRgb*>(greyLine);
        for (int x = 0; x < width; ++x) {
            const int value = grey ? greyLine[x] : luminanceOf(colourLine[x]);
            if (value < level)
                ++marks[size_t(rows ? y : x)];
        }
    }
    const bool forward = from == Qt::TopEdge || from == Qt::LeftEdge;
    for (int i = 0; i < lines; ++i)
        if (marks[size_t(forward ? i : lines - 1 - i)] >= marksPerLine)
            return i;
    return lines;
}

} // namespace pagula::imaging
