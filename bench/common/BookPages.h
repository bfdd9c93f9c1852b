#pragma once

#include <QImage>
#include <QString>

namespace pagula::bench
{

// A book page of small print with a known text: A5 (148 x 210 mm), generous margins, justified
// paragraphs of English prose in 10.5 pt Liberation Serif, black on white. The words are drawn
// from a fixed list in an order given by the page number, so every page differs and each run
// makes the same pages.
struct BookPage {
    QImage image; // Format_Grayscale8 at the asked resolution
    QString text; // the words in reading order, one space between them
};

constexpr double bookPageWidthMm = 148.0;
constexpr double bookPageHeightMm = 210.0;

BookPage makeBookPage(int number, double dpi);

} // namespace pagula::bench
