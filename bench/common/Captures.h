#pragma once

#include "common/BookPages.h"

#include <QImage>
#include <QPolygonF>
#include <QString>

namespace pagula::bench
{

// The ways a book page reaches the program.
enum class Capture {
    CleanScan, // the page alone at 300 dpi, off-white paper
    BookScan,  // a flatbed scan of an open book: turned page, dark gutter strip, lid around it
    PhonePhoto // 12 MP photo: the sheet tilted and turned on a wooden table, a shadow across a
               // corner, uneven light, camera blur and noise
};

const char* captureName(Capture capture);

struct CapturedPage {
    QImage image; // Format_RGB32
    QString text;
    QPolygonF sheet; // the page's corners in the picture, clockwise from the top left
};

CapturedPage capturePage(Capture capture, int number);

} // namespace pagula::bench
