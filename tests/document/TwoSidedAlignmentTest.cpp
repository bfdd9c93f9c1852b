// Two-sided output on paper: both sides written as one interleaved PDF, read back from the
// PDF's own drawing commands, and every back picture compared with its front partner as the
// sheet is turned over its long edge (x becomes page width - x).
#include "ComposedDocuments.h"
#include "PdfGeometry.h"

#include "document/FlowLayout.h"
#include "document/PdfExport.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

constexpr double PointsPerTrueMm = 72.0 / 25.4;
constexpr double Tolerance = 0.3 * PointsPerTrueMm;

struct Sheet {
    QList<QRectF> boxes;
    QStringList names; // the picture file's base name, "" for a filler
};

// The pictures of one PDF page with the names the document gives them in drawing order.
Sheet sheetOf(const PdfPage& pdf, const Document& doc, const LaidOutPage* page)
{
    Sheet s;
    s.boxes = pdf.images;
    if (page)
        for (const PlacedPicture& p : page->pictures()) {
            const QString base = QFileInfo(doc.pictureAt(p.itemIndex).path()).completeBaseName();
            s.names << (base.startsWith(QLatin1String("Pagula-tmp")) ? QString() : base);
        }
    return s;
}

QRectF mirrored(const QRectF& front, double pageWidth, QPointF offsetMm)
{
    return {pageWidth - front.right() + offsetMm.x() * PointsPerTrueMm,
            front.top() + offsetMm.y() * PointsPerTrueMm, front.width(), front.height()};
}

bool near(const QRectF& a, const QRectF& b)
{
    return std::abs(a.left() - b.left()) <= Tolerance && std::abs(a.top() - b.top()) <= Tolerance &&
           std::abs(a.right() - b.right()) <= Tolerance &&
           std::abs(a.bottom() - b.bottom()) <= Tolerance;
}

QStringList pictures(const QTemporaryDir& dir, int count)
{
    QStringList ticked;
    for (int k = 1; k <= count; ++k) {
        QImage img(40, 50, QImage::Format_Grayscale8);
        img.fill(40 + k);
        const QString file = dir.filePath(QStringLiteral("%1.png").arg(k));
        pagula::test::savePicture(img, file, "PNG");
        ticked << file + QLatin1Char('0');
    }
    return ticked;
}

} // namespace

TEST(TwoSidedAlignment, EveryBackPictureLiesBehindItsFrontPartner)
{
    const struct {
        const char* name;
        int columns, rows;
        double cellW, cellH;
        int marginLeft, marginRight;
        int gutter;
        compose::GutterSide side;
        QPointF offset;
        int count;
    } cases[] = {
        {"start values", 3, 3, 64.3, 90.0, 7, 10, 6, compose::GutterSide::Left, {}, 23},
        {"narrow columns, wide margins",
         2,
         3,
         50.0,
         90.0,
         15,
         10,
         6,
         compose::GutterSide::Left,
         {},
         9},
        {"right gutter", 3, 3, 64.3, 90.0, 7, 10, 6, compose::GutterSide::Right, {}, 11},
        {"top gutter", 3, 3, 64.3, 90.0, 7, 10, 6, compose::GutterSide::Top, {}, 11},
        {"bottom gutter", 3, 3, 64.3, 90.0, 7, 10, 6, compose::GutterSide::Bottom, {}, 11},
        {"reduced cells", 4, 4, 30.0, 40.0, 12, 10, 5, compose::GutterSide::Left, {}, 21},
        {"reduced cells, bottom gutter",
         4,
         4,
         30.0,
         40.0,
         12,
         10,
         5,
         compose::GutterSide::Bottom,
         {},
         13},
        {"offset", 3, 3, 64.3, 90.0, 7, 10, 6, compose::GutterSide::Left, {1.5, -2.0}, 19},
        {"margin 0, offset left",
         3,
         3,
         70.0,
         90.0,
         0,
         0,
         0,
         compose::GutterSide::Left,
         {-2.5, 1.0},
         7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        LayoutChoice layout;
        layout.twoSided = true;
        layout.columns = c.columns;
        layout.rows = c.rows;
        layout.cellWidth = c.cellW;
        layout.cellHeight = c.cellH;
        layout.marginLeft = c.marginLeft;
        layout.marginRight = c.marginRight;
        layout.gutterSize = c.gutter;
        layout.gutterSide = c.side;
        layout.backOffset = c.offset;
        const auto docs =
            composeDocuments(pictures(dir, c.count), layout, dir.filePath("Pagula-tmp.bmp"));
        ASSERT_EQ(docs.size(), 2u);
        const QString pdf = dir.filePath("both.pdf");
        saveInterleavedPdf(*docs[0], *docs[1], pdf, PdfOptions{72.0, 90, {}, {}, 0.0});
        const PdfGeometry geometry = readPdfGeometry(pdf);
        ASSERT_TRUE(geometry.error.isEmpty()) << geometry.error.toStdString();

        const DocumentLayout front = layoutDocument(*docs[0]);
        const DocumentLayout back = layoutDocument(*docs[1]);
        ASSERT_EQ(geometry.pages.size(), 2 * std::max(front.pages.size(), back.pages.size()));
        int partners = 0;
        for (qsizetype s = 0; s < front.pages.size(); ++s) {
            const Sheet f = sheetOf(geometry.pages[2 * s], *docs[0], &front.pages[s]);
            const Sheet b = sheetOf(geometry.pages[2 * s + 1], *docs[1],
                                    s < back.pages.size() ? &back.pages[s] : nullptr);
            ASSERT_EQ(f.boxes.size(), f.names.size());
            ASSERT_EQ(b.boxes.size(), b.names.size());
            for (qsizetype i = 0; i < f.boxes.size(); ++i) {
                // Front entry k (odd) has entry k + 1 behind it; the last entry of an odd
                // list and the strips have no picture behind them (a blank cell or a strip
                // where the back has that row, nothing where it has not).
                const QRectF want =
                    mirrored(f.boxes[i], geometry.pages[2 * s].size.width(), c.offset);
                QString behind = QStringLiteral("nothing");
                for (qsizetype j = 0; j < b.boxes.size(); ++j)
                    if (near(b.boxes[j], want))
                        behind = b.names[j];
                const int k = f.names[i].toInt();
                if (!f.names[i].isEmpty() && k + 1 <= c.count)
                    EXPECT_EQ(behind, QString::number(k + 1)) << "entry " << k;
                else
                    EXPECT_TRUE(behind.isEmpty() || behind == QLatin1String("nothing"))
                        << "picture " << behind.toStdString() << " behind cell " << i
                        << " of sheet " << s + 1;
                partners += f.names[i].isEmpty() ? 0 : 1;
            }
        }
        EXPECT_EQ(partners, (c.count + 1) / 2);
    }
}
