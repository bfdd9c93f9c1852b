// The PDF reader that the LibreOffice tests rely on, checked on PDFs we write ourselves.
#include "PdfGeometry.h"
#include "DocumentTestSupport.h"

#include "document/PdfExport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

bool close(const QRectF& a, const QRectF& b)
{
    return std::abs(a.left() - b.left()) < 0.01 && std::abs(a.top() - b.top()) < 0.01 &&
           std::abs(a.width() - b.width()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
}

TEST(PdfGeometry, ReadsPictureBoxesAndStrokesOfEveryPage)
{
    QTemporaryDir dir;
    const QString picture =
        savePictureFile(halvesImage({40, 20}, Qt::red, Qt::blue), dir.filePath("a.png"));
    Document doc;
    doc.setLeftMargin(30);
    doc.setTopMargin(40);
    for (int i = 0; i < 5; ++i) {
        InlinePicture p(i == 3 ? dir.filePath("missing.png") : picture, QSizeF(30, 15), true,
                        false);
        p.setWidth(100 + 10 * i);
        p.setHeight(50 + 5 * i);
        doc.insertPicture(doc.itemCount(), p);
        if (i == 1)
            doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
    }
    const QString pdf = dir.filePath("out.pdf");
    PdfOptions options;
    options.brokenPicture = BrokenPicture::UsePlaceholder;
    savePdf(doc, pdf, options);

    const PdfGeometry geometry = readPdfGeometry(pdf);
    ASSERT_EQ(geometry.error, QString());
    const DocumentLayout layout = layoutDocument(doc);
    ASSERT_EQ(geometry.pages.size(), 2);
    for (int p = 0; p < 2; ++p) {
        EXPECT_NEAR(geometry.pages[p].size.width(), 595.2756, 0.01);
        EXPECT_NEAR(geometry.pages[p].size.height(), 841.8898, 0.01);
        QList<QRectF> expected;
        for (const PlacedPicture& placed : layout.pages[p].pictures())
            if (placed.itemIndex != 4) // the missing picture draws a placeholder
                expected.append(placed.box);
        ASSERT_EQ(geometry.pages[p].images.size(), expected.size()) << p;
        for (int i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(close(geometry.pages[p].images[i], expected[i])) << p << ' ' << i;
    }
    EXPECT_TRUE(geometry.pages[0].strokes.isEmpty());
    // The placeholder's cross: two diagonals of its box.
    const QRectF broken = layout.pages[1].pictures()[1].box;
    ASSERT_EQ(geometry.pages[1].strokes.size(), 2);
    EXPECT_TRUE(close(
        QRectF(geometry.pages[1].strokes[0].line.p1(), geometry.pages[1].strokes[0].line.p2()),
        broken));
}

TEST(PdfGeometry, ReportsWhatItCannotRead)
{
    QTemporaryDir dir;
    const QString notPdf = dir.filePath("x.pdf");
    QFile f(notPdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    f.close();
    EXPECT_FALSE(readPdfGeometry(notPdf).error.isEmpty());
    EXPECT_FALSE(readPdfGeometry(dir.filePath("none.pdf")).error.isEmpty());
}

} // namespace
