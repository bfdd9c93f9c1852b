// The composition through the built-in document layer, checked on the laid-out boxes and the
// rendered pixels of its pages.
#include "Fakes.h"
#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "imaging/ImageIO.h"
#include "support/PageFixtures.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTransform>
#include <cmath>
#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::compose;
using namespace pagula::compose::test;
using document::BorderEdge;

namespace
{

constexpr double Dpi = 100.0;
constexpr double PxPerPt = Dpi / 72.0;

// Saturated colours that survive the renderer's scaling unchanged in their dominant channel.
QColor entryColour(int k)
{
    return QColor::fromHsv((k * 47) % 360, 255, 230);
}

struct Composed {
    QTemporaryDir dir;
    FakeSettings settings;
    FakeEvents events;
    document::BuiltinDocumentBuilder builder;
    CompositionResult result;

    // The entries as the job list file writes them.
    explicit Composed(const QStringList& entries)
    {
        settings.chosenColorType = document::ColorType::Automatic;
        settings.ticked = entries;
        run();
    }

    Composed(int count, bool twoSided)
    {
        settings.chosenColorType = document::ColorType::Automatic; // keep the colours
        settings.twoSide = twoSided;
        for (int k = 1; k <= count; ++k) {
            QImage img(60, 80, QImage::Format_RGB32);
            img.fill(entryColour(k));
            const QString file = dir.filePath(QStringLiteral("%1.png").arg(k));
            pagula::test::savePicture(img, file, "PNG");
            settings.ticked << file + QLatin1Char('0');
        }
        run();
    }
    void run()
    {
        const std::atomic<bool> cancel{false};
        result = runComposition({settings.value(), dir.filePath("Pagula-tmp.bmp"), {}, 0}, builder,
                                events, cancel);
    }
    const document::Document& doc(size_t d) const { return *result.documents.at(d).document; }
};

bool isDark(QRgb c)
{
    return qGray(c) < 80;
}

bool near(QRgb c, QColor want)
{
    return std::abs(qRed(c) - want.red()) < 24 && std::abs(qGreen(c) - want.green()) < 24 &&
           std::abs(qBlue(c) - want.blue()) < 24;
}

// A dark pixel on the vertical line x (points) within a pixel, at height y (points).
bool verticalLineAt(const QImage& img, double x, double y)
{
    const int px = int(std::lround(x * PxPerPt));
    const int py = int(std::lround(y * PxPerPt));
    for (int dx = -1; dx <= 1; ++dx)
        if (px + dx >= 0 && px + dx < img.width() && isDark(img.pixel(px + dx, py)))
            return true;
    return false;
}

bool horizontalLineAt(const QImage& img, double x, double y)
{
    const int px = int(std::lround(x * PxPerPt));
    const int py = int(std::lround(y * PxPerPt));
    for (int dy = -1; dy <= 1; ++dy)
        if (py + dy >= 0 && py + dy < img.height() && isDark(img.pixel(px, py + dy)))
            return true;
    return false;
}

QRgb at(const QImage& img, double x, double y)
{
    return img.pixel(int(x * PxPerPt), int(y * PxPerPt));
}

// No two neighbouring boxes both draw the line they share.
void expectSharedLinesDrawnOnce(const document::Document& doc, const document::LaidOutPage& page)
{
    const auto pics = page.pictures();
    for (const auto& a : pics)
        for (const auto& b : pics) {
            const auto& pa = doc.pictureAt(a.itemIndex);
            const auto& pb = doc.pictureAt(b.itemIndex);
            const bool sideBySide = std::abs(a.box.right() - b.box.left()) < 0.05 &&
                                    a.box.top() < b.box.bottom() && b.box.top() < a.box.bottom();
            if (sideBySide) {
                EXPECT_FALSE(pa.border(BorderEdge::Right).isVisible() &&
                             pb.border(BorderEdge::Left).isVisible())
                    << "line at x=" << a.box.right() << " drawn twice";
            }
            const bool stacked = std::abs(a.box.bottom() - b.box.top()) < 0.05 &&
                                 a.box.left() < b.box.right() && b.box.left() < a.box.right();
            if (stacked) {
                EXPECT_FALSE(pa.border(BorderEdge::Bottom).isVisible() &&
                             pb.border(BorderEdge::Top).isVisible())
                    << "line at y=" << a.box.bottom() << " drawn twice";
            }
        }
}

// Mean difference per channel of two pictures of one size, leaving out a border of `inset`
// pixels (the frame lines).
double meanDifference(const QImage& a, const QImage& b, int inset)
{
    double sum = 0;
    int n = 0;
    for (int y = inset; y < a.height() - inset; ++y)
        for (int x = inset; x < a.width() - inset; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
            n += 3;
        }
    return n ? sum / n : 255.0;
}

} // namespace

// Each cell of a PDF page or a phone photo shows what the page or photo shows when it is
// rendered directly at the cell's size.
TEST(RenderedGrid, PdfPagesAndPhotosMatchTheirSourcesAtTheCellSize)
{
    QTemporaryDir files;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(files.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("notes.pdf", pagula::test::mixedPdf(4));
    QImage photo(60, 80, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter(&photo).fillRect(0, 0, 30, 40, Qt::darkMagenta);
    write("phone.heic", pagula::test::heicPhoto(photo.transformed(QTransform().rotate(270)), 6));
    const QString pdf = files.filePath(QStringLiteral("notes.pdf"));
    const QStringList sources{QStringLiteral("<page 3>") + pdf, QStringLiteral("<page 4>") + pdf,
                              files.filePath(QStringLiteral("phone.heic"))};
    Composed c({sources[0] + "0", sources[1] + "0", sources[2] + "0"});
    ASSERT_FALSE(c.result.failure) << c.result.failure->toStdString();
    const document::Document& doc = c.doc(0);
    const auto layout = document::layoutDocument(doc);
    const QImage img = document::renderPageImage(doc, layout.pages[0], Dpi);

    QList<QImage> cells, direct;
    for (const document::PlacedPicture& placed : layout.pages[0].pictures()) {
        const QString path = doc.pictureAt(placed.itemIndex).path();
        if (!sources.contains(path))
            continue; // a binding strip
        const QRect box(
            QPoint(int(std::ceil(placed.box.left() * PxPerPt)),
                   int(std::ceil(placed.box.top() * PxPerPt))),
            QPoint(int(placed.box.right() * PxPerPt) - 1, int(placed.box.bottom() * PxPerPt) - 1));
        imaging::DecodeRequest request;
        request.atLeast = box.size();
        cells << img.copy(box);
        direct << imaging::decodeFile(path, request)
                      .scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    ASSERT_EQ(cells.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(sources[i].toStdString());
        EXPECT_LT(meanDifference(cells[i], direct[i], 3), 4.0);
    }
    // The comparison tells pages apart: page 3's cell is not page 4.
    EXPECT_GT(meanDifference(cells[0], direct[1].scaled(cells[0].size()), 3), 10.0);
}

TEST(RenderedGrid, SevenEntriesWithALeftGutter)
{
    Composed c(7, false);
    ASSERT_FALSE(c.result.failure) << c.result.failure->toStdString();
    ASSERT_EQ(c.result.documents.size(), 1u);
    const document::Document& doc = c.doc(0);
    const auto layout = document::layoutDocument(doc);
    ASSERT_EQ(layout.pages.size(), 1);
    expectSharedLinesDrawnOnce(doc, layout.pages[0]);
    const QImage img = document::renderPageImage(doc, layout.pages[0], Dpi);

    const double left = 7 * 2.835, top = 7 * 2.835;
    const double strip = 6 * 2.835, cellW = 64.3 * 2.835, cellH = 90 * 2.835;
    for (int k = 0; k < 7; ++k) {
        const int row = k / 3, col = k % 3;
        const double x0 = left + col * cellW, y0 = top + row * cellH;
        const double midY = y0 + cellH / 2;
        SCOPED_TRACE(testing::Message() << "entry " << k + 1);
        // Frame lines: the cell's left edge, the strip's inner edge, the cell's right edge.
        EXPECT_TRUE(verticalLineAt(img, x0, midY));
        EXPECT_TRUE(verticalLineAt(img, x0 + strip, midY));
        EXPECT_TRUE(verticalLineAt(img, x0 + cellW, midY));
        EXPECT_TRUE(horizontalLineAt(img, x0 + cellW / 2, y0));
        EXPECT_TRUE(horizontalLineAt(img, x0 + cellW / 2, y0 + cellH));
        EXPECT_TRUE(horizontalLineAt(img, x0 + strip / 2, y0 + cellH));
        // A white strip, then the picture.
        EXPECT_EQ(at(img, x0 + strip / 2, midY), qRgb(255, 255, 255));
        EXPECT_TRUE(near(at(img, x0 + strip + (cellW - strip) / 2, midY), entryColour(k + 1)));
    }
    // Nothing right of entry 7 in the last row, and nothing below the grid.
    const double y3 = top + 2 * cellH + cellH / 2;
    EXPECT_FALSE(verticalLineAt(img, left + cellW + 30, y3));
    EXPECT_EQ(at(img, left + 2 * cellW, y3), qRgb(255, 255, 255));
    EXPECT_FALSE(horizontalLineAt(img, left + cellW + cellW / 2, top + 3 * cellH));
    EXPECT_EQ(at(img, left + cellW / 2, top + 3 * cellH + 20), qRgb(255, 255, 255));
}

TEST(RenderedGrid, TwoSidedBackRowsAreMirroredWithBlankCells)
{
    Composed c(8, true);
    ASSERT_EQ(c.result.documents.size(), 2u);
    const double left = 7 * 2.835, top = 7 * 2.835;
    const double strip = 6 * 2.835, cellW = 64.3 * 2.835, cellH = 90 * 2.835;

    auto cellsOf = [&](size_t d) {
        const document::Document& doc = c.doc(d);
        const auto layout = document::layoutDocument(doc);
        EXPECT_EQ(layout.pages.size(), 1);
        expectSharedLinesDrawnOnce(doc, layout.pages[0]);
        const QImage img = document::renderPageImage(doc, layout.pages[0], Dpi);
        QStringList found;
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col) {
                // The back side's strips stand on the right of each picture.
                const double pictureX = d == 0 ? left + col * cellW + strip : left + col * cellW;
                const QRgb px =
                    at(img, pictureX + (cellW - strip) / 2, top + row * cellH + cellH / 2);
                QString name = QStringLiteral("?");
                if (px == qRgb(255, 255, 255))
                    name = QStringLiteral("blank");
                for (int k = 1; k <= 8; ++k)
                    if (near(px, entryColour(k)))
                        name = QString::number(k);
                found << name;
            }
        return found;
    };
    EXPECT_EQ(cellsOf(0), (QStringList{"1", "3", "5", "7", "blank", "blank"}));
    EXPECT_EQ(cellsOf(1), (QStringList{"6", "4", "2", "blank", "blank", "8"}));
}
