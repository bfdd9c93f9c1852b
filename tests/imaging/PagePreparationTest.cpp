// Page preparation on pages the test draws itself: a scan turned by known angles and a sheet
// photographed in perspective on a darker table, where the geometry found must match the one
// drawn; and hostile pictures, which come back as they are.
#include "imaging/PagePreparation.h"
#include "imaging/BlankBorder.h"
#include "imaging/PrintThreshold.h"

#include <QFont>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

constexpr double pxPerMm = 4.0; // the drawn sheets: A5 at about 100 dpi

// Where printedSheet() lays a figure: most of the page, beyond the print's lines.
const QRectF figureOnSheet(60, 40, 472, 760);

// An A5 sheet with 32 lines of small print inside wide margins, over a flat-coloured figure
// when `figure` is valid.
QImage printedSheet(const QColor& figure = QColor())
{
    QImage sheet(int(148 * pxPerMm), int(210 * pxPerMm), QImage::Format_RGB32);
    sheet.fill(qRgb(245, 244, 240));
    QPainter painter(&sheet);
    if (figure.isValid())
        painter.fillRect(figureOnSheet, figure);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(qRgb(30, 30, 30));
    QRandomGenerator random(7);
    const char* words[] = {"river", "of", "the", "morning", "stone", "and", "light", "harbour"};
    for (int line = 0; line < 32; ++line) {
        QString text;
        while (text.size() < 52)
            text += QLatin1String(words[random.bounded(8)]) + QLatin1Char(' ');
        painter.drawText(QPointF(90, 110 + line * 20), text);
    }
    return sheet;
}

QPolygonF corners(const QRectF& r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

// The width of the print on an upright sheet.
int printWidth(const QImage& sheet)
{
    int left = sheet.width(), right = -1;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (qGray(sheet.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

// The sheet as a book's page: darkened towards the fold at its left, black in the fold itself,
// with specks of dust in the margin.
QImage besideAFold(const QImage& sheet)
{
    QImage page = sheet;
    for (int y : {300, 520, 700})
        QPainter(&page).fillRect(QRect(60, y, 2, 3), Qt::black);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < 25 * pxPerMm; ++x) {
            const double mm = x / pxPerMm;
            const double light =
                mm < 9 ? 0.15 + 0.55 * std::pow(mm / 9, 2) : 0.7 + 0.3 * std::sqrt((mm - 9) / 16);
            const QRgb c = page.pixel(x, y);
            page.setPixel(
                x, y, qRgb(int(qRed(c) * light), int(qGreen(c) * light), int(qBlue(c) * light)));
        }
    return page;
}

TEST(PagePreparation, FindsTheTurnOfAScan)
{
    const QImage flat = printedSheet();
    const QImage folded = besideAFold(flat);
    const int print = printWidth(flat);
    for (double angle : {-4.0, -1.3, 0.6, 2.2, 7.5}) {
        // The small turns: a book's page beside its fold, cut down to its print and a narrow pad.
        const bool fold = angle < 1.0 && angle > -2.0;
        const QImage& sheet = fold ? folded : flat;
        QImage scan(sheet.size(), QImage::Format_RGB32);
        scan.fill(qRgb(245, 244, 240));
        QPainter painter(&scan);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(scan.width() / 2.0, scan.height() / 2.0);
        painter.rotate(angle); // clockwise as seen
        painter.translate(-scan.width() / 2.0, -scan.height() / 2.0);
        painter.drawImage(0, 0, sheet);
        painter.end();

        const PreparedPage page = preparePage(scan, {fold, true, false});
        EXPECT_NEAR(page.geometry.angle, angle, 0.2) << angle;
        EXPECT_TRUE(page.geometry.paper.isEmpty()) << "a scan has no sheet outline";
        if (fold)
            EXPECT_NEAR(page.image.width(), print * (1 + 2 * 0.008), pxPerMm) << angle;
        else
            EXPECT_EQ(page.image.size(), scan.size()) << "a scan is turned within its own frame";
    }
}

// The sheet laid on a dark table and photographed from above its lower edge: the far edge
// shorter, the whole turned; with `shadow` the lower right corner lies in a shadow that darkens
// table and paper alike.
QImage photograph(const QImage& sheet, const QPolygonF& quad, bool shadow)
{
    QImage photo(1300, 1700, QImage::Format_RGB32);
    photo.fill(qRgb(88, 66, 50));
    QTransform sheetToPhoto;
    QTransform::quadToQuad(corners(QRectF(sheet.rect())), quad, sheetToPhoto);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(sheetToPhoto);
    painter.drawImage(0, 0, sheet);
    painter.end();
    if (shadow) {
        const QPointF a = quad[2] + (quad[1] - quad[2]) * 0.3;
        const QPointF b = quad[2] + (quad[3] - quad[2]) * 0.3;
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                const double side = (b.x() - a.x()) * (y - a.y()) - (b.y() - a.y()) * (x - a.x());
                if (side < 0)
                    line[x] = qRgb(qRed(line[x]) / 2, qGreen(line[x]) / 2, qBlue(line[x]) / 2);
            }
        }
    }
    return photo;
}

TEST(PagePreparation, OutlinesAndUnwarpsAPhotographedSheet)
{
    struct Case {
        double turn;      // degrees, clockwise as seen
        double narrowing; // share by which the far edge is shorter
        QPointF centre;
        bool shadow;
        QColor figure; // a large flat figure on the page, kept whole with the print
    };
    const Case cases[] = {
        {3.0, 0.06, {650, 850}, false, {}},
        {-4.5, 0.03, {620, 880}, true, {}},
        {1.0, 0.10, {700, 800}, true, {}},
        {2.0, 0.05, {650, 850}, true, QColor(70, 90, 160)},
        {-2.5, 0.04, {640, 860}, false, QColor(150, 150, 150)},
        {1.5, 0.05, {650, 850}, false, QColor(250, 238, 150)},
    };
    for (const Case& c : cases) {
        const QImage sheet = printedSheet(c.figure);
        const double w = sheet.width() * 1.6, h = sheet.height() * 1.6;
        QPolygonF quad({QPointF(-w / 2 * (1 - c.narrowing), -h / 2 * 0.97),
                        QPointF(w / 2 * (1 - c.narrowing), -h / 2 * 0.97), QPointF(w / 2, h / 2),
                        QPointF(-w / 2, h / 2)});
        QTransform place;
        place.translate(c.centre.x(), c.centre.y());
        place.rotate(c.turn);
        quad = place.map(quad);
        const QImage photo = photograph(sheet, quad, c.shadow);

        const PreparedPage page = preparePage(photo, {true, true, false});
        const QPolygonF& found = page.geometry.paper;
        ASSERT_EQ(found.size(), 4) << c.turn;
        const double mm = 1.6 * pxPerMm; // photo pixels per mm of the sheet
        for (int i = 0; i < 4; ++i) {
            const QPointF d = found[i] - quad[i];
            EXPECT_LT(std::hypot(d.x(), d.y()), mm) << "corner " << i << " turn " << c.turn;
        }
        EXPECT_NEAR(page.geometry.angle, c.turn, 0.3) << c.turn;
        // Only the print is kept, upright: a portrait block narrower than the sheet.
        EXPECT_GT(page.image.height(), page.image.width());
        EXPECT_LT(page.image.width(), 0.9 * w);
        if (c.figure.isValid()) {
            // Kept whole (the far edge is drawn a little shorter), with paper beyond it.
            EXPECT_GE(page.image.height(), 0.97 * 1.6 * figureOnSheet.height()) << c.turn;
            for (int y : {0, page.image.height() - 1})
                EXPECT_GT(qGray(page.image.pixel(page.image.width() / 2, y)), 200) << c.turn;
            // Evened, the figure keeps its colour (away from the shadow): only paper turns white.
            const QImage even = preparePage(photo, {true, true, true}).image;
            const QColor inside = even.pixelColor(even.width() / 4, even.height() / 3);
            const int off = std::abs(inside.red() - c.figure.red()) +
                            std::abs(inside.green() - c.figure.green()) +
                            std::abs(inside.blue() - c.figure.blue());
            EXPECT_LT(off, 60) << c.turn << " " << qPrintable(inside.name());
        }
        EXPECT_EQ(page.geometry.kept.size(), 4);

        // Drawn for a smaller cell: no more pixels than it needs, never fewer.
        const QSize cell(200, 300);
        const QImage small = preparePage(photo, {true, true, false}, cell).image;
        EXPECT_TRUE(small.width() >= cell.width() && small.height() >= cell.height());
        EXPECT_TRUE(small.width() == cell.width() || small.height() == cell.height());
    }
}

TEST(PagePreparation, HostilePicturesComeBackAsTheyAre)
{
    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage black(400, 300, QImage::Format_Grayscale8);
    black.fill(0);
    QImage transparent(300, 300, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    QImage mono(200, 120, QImage::Format_Mono);
    mono.fill(1);
    const QImage pictures[] = {QImage(1, 1, QImage::Format_RGB32),
                               QImage(5, 7, QImage::Format_Grayscale8),
                               QImage(4000, 3, QImage::Format_RGB32),
                               QImage(2, 3000, QImage::Format_Grayscale8),
                               blank,
                               black,
                               transparent,
                               mono};
    for (const QImage& picture : pictures) {
        const PreparedPage page = preparePage(picture, {true, true, true});
        EXPECT_EQ(page.image.size(), picture.size()) << picture.width() << "x" << picture.height();
        EXPECT_EQ(page.geometry.kept, corners(QRectF(picture.rect())));
        EXPECT_EQ(page.geometry.angle, 0.0);
        EXPECT_FALSE(page.image.isNull());
    }
    EXPECT_EQ(preparePage(black, {false, false, true}).image, black) << "no paper to even out";
    EXPECT_TRUE(preparePage(QImage(), {true, true, true}).image.isNull());
}

TEST(PagePreparation, EvenBackgroundWhitensShadowedPaperAndKeepsInk)
{
    // Paper from 110 (a shadow) on the left to 240 on the right, with strokes at a quarter of
    // the paper's brightness.
    QImage picture(600, 400, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int paper = 110 + 130 * x / picture.width();
            const bool ink = y % 40 < 3 && x % 60 > 10;
            picture.scanLine(y)[x] = uchar(ink ? paper / 4 : paper);
        }
    // The same as yellowed paper under the same light, in colour.
    QImage yellowed(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int v = picture.scanLine(y)[x];
            yellowed.setPixel(x, y, qRgb(v, v * 9 / 10, v * 6 / 10));
        }
    for (const QImage& source : {picture, yellowed}) {
        const QImage even = preparePage(source, {false, false, true}).image;
        ASSERT_EQ(even.format(), source.format());
        ASSERT_EQ(even.size(), source.size());
        for (int x : {30, 330, 570}) {
            const QColor paper = even.pixelColor(x, 20);
            EXPECT_GE(std::min({paper.red(), paper.green(), paper.blue()}), 235)
                << "paper at x " << x;
            EXPECT_LE(even.pixelColor(x, 41).value(), 90) << "ink at x " << x;
        }
    }
}

TEST(PrintThreshold, DecidesLocallyAtThePrintedSize)
{
    // Left half lit (paper 230, print 60), right half in shadow (paper 90, print 25): one
    // threshold for all makes the shadow solid black.
    QImage picture(300, 200, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const bool lit = x < picture.width() / 2;
            const bool ink = y % 20 < 2;
            picture.scanLine(y)[x] = uchar(lit ? (ink ? 60 : 230) : (ink ? 25 : 90));
        }
    const QSize printed(600, 400); // enlarged before the decision, never decided smaller
    const QImage bw = thresholdForPrint(picture, printed);
    ASSERT_EQ(bw.format(), QImage::Format_Mono);
    ASSERT_EQ(bw.size(), printed);
    int shadowPaperBlack = 0, shadowPaper = 0;
    for (int y = 0; y < printed.height(); ++y)
        for (int x = printed.width() / 2 + 20; x < printed.width() - 20; ++x) {
            const bool ink = (y / 2) % 20 < 2 || (y / 2) % 20 == 19 || (y / 2) % 20 == 2;
            if (!ink) {
                ++shadowPaper;
                shadowPaperBlack += bw.pixelIndex(x, y) == 0;
            }
        }
    EXPECT_LT(shadowPaperBlack, shadowPaper / 20) << "the shadow stays paper";
    EXPECT_EQ(bw.pixelIndex(450, 1), 0) << "print in the shadow is black";
    EXPECT_EQ(bw.pixelIndex(150, 1), 0) << "print in the light is black";
    EXPECT_EQ(bw.pixelIndex(150, 20), 1) << "lit paper is white";
}

// How far the cut may go into the paper beside the print: to the first line holding two marks.
TEST(BlankBorder, StopsAtTheFirstMarkedLine)
{
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(250);
    grey.scanLine(2)[1] = 0; // a lone speck
    grey.scanLine(4)[6] = grey.scanLine(6)[6] = 100;
    grey.scanLine(3)[13] = grey.scanLine(3)[15] = 100;
    QImage colour(grey.size(), QImage::Format_RGB32);
    colour.fill(qRgb(250, 250, 240));
    colour.setPixel(6, 4, qRgb(200, 40, 40)); // dark red: luminance 94
    colour.setPixel(6, 6, qRgb(200, 40, 40));
    colour.setPixel(13, 3, qRgb(40, 40, 200));
    colour.setPixel(15, 3, qRgb(40, 40, 200));
    const struct {
        Qt::Edge from;
        int level, expected;
    } cases[] = {
        {Qt::LeftEdge, 128, 6},   {Qt::RightEdge, 128, 13}, {Qt::TopEdge, 128, 3},
        {Qt::BottomEdge, 128, 6}, {Qt::LeftEdge, 100, 20},  {Qt::TopEdge, 101, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " below " << c.level);
        EXPECT_EQ(blankDepth(grey, c.from, c.level), c.expected);
        if (c.level == 128) {
            EXPECT_EQ(blankDepth(colour, c.from, c.level), c.expected) << "by luminance";
        }
    }
    EXPECT_EQ(blankDepth(QImage(8, 8, QImage::Format_Mono), Qt::LeftEdge, 128), 0);
}

} // namespace
} // namespace pagula::imaging
