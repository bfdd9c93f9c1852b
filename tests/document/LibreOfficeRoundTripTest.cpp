// Our ODT and DOCX files as LibreOffice lays them out: each is converted to PDF by soffice and
// the PDF's own geometry (images and stroked lines, read from its content streams) is compared
// with our flow layout: the same page count, every picture's box within 0.5 mm of ours, a frame
// line on every edge the grid asks for and on no other. Crop, colour type, brightness and
// contrast are checked on pixels of the rendered pages.
#include "ComposedDocuments.h"
#include "DocumentTestSupport.h"
#include "LibreOffice.h"
#include "PdfGeometry.h"

#include "document/DocxExport.h"
#include "document/EdgeGeometry.h"
#include "document/FlowLayout.h"
#include "document/OdtExport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

enum class Format { Odt, Docx };

constexpr double Tolerance = 0.5 * 72.0 / 25.4; // 0.5 mm in points
const QString Blank = QStringLiteral("(пустая страница)0");

QString describe(const QRectF& r)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(r.x(), 0, 'f', 2)
        .arg(r.y(), 0, 'f', 2)
        .arg(r.width(), 0, 'f', 2)
        .arg(r.height(), 0, 'f', 2);
}

bool near(const QRectF& a, const QRectF& b)
{
    return std::abs(a.left() - b.left()) <= Tolerance && std::abs(a.top() - b.top()) <= Tolerance &&
           std::abs(a.right() - b.right()) <= Tolerance &&
           std::abs(a.bottom() - b.bottom()) <= Tolerance;
}

// A frame line as a segment: from its start to its end along the edge.
QLineF segmentOf(const EdgeLine& e)
{
    return e.isHorizontal() ? QLineF(e.from, e.position, e.to, e.position)
                            : QLineF(e.position, e.from, e.position, e.to);
}

bool sameSegment(const QLineF& a, const QLineF& b)
{
    const auto ordered = [](const QLineF& l) {
        return l.p1().x() + l.p1().y() <= l.p2().x() + l.p2().y() ? l : QLineF(l.p2(), l.p1());
    };
    const QLineF x = ordered(a);
    const QLineF y = ordered(b);
    return QLineF(x.p1(), y.p1()).length() <= Tolerance &&
           QLineF(x.p2(), y.p2()).length() <= Tolerance;
}

// Pairs every expected item with one found item (each used once); returns what was left over.
template <typename T, typename Same>
std::pair<QList<T>, QList<T>> unmatched(const QList<T>& expected, QList<T> found, Same same)
{
    QList<T> missing;
    for (const T& e : expected) {
        const auto it =
            std::find_if(found.begin(), found.end(), [&](const T& f) { return same(e, f); });
        if (it == found.end())
            missing.append(e);
        else
            found.erase(it);
    }
    return {missing, found};
}

class LibreOfficeRoundTrip : public ::testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        filler = dir.filePath(QStringLiteral("Pagula-tmp.bmp"));
    }

    const char* extension() const { return GetParam() == Format::Odt ? "odt" : "docx"; }

    // A picture of its own colour, 150 x 200 pixels at 96 dpi (112.5 x 150 points).
    QString picture(int n, const QString& name = {})
    {
        const QColor colour = QColor::fromHsv((n * 47) % 360, 140 + (n * 13) % 100, 220);
        return savePictureFile(
            solidImage({150, 200}, colour),
            dir.filePath(name.isEmpty() ? QStringLiteral("picture-%1.png").arg(n) : name), 96,
            "PNG");
    }

    QStringList entries(int count)
    {
        QStringList list;
        for (int i = 1; i <= count; ++i)
            list << picture(i) + QLatin1Char('0');
        return list;
    }

    QString save(const Document& doc, const QString& name, bool embed)
    {
        const QString path = dir.filePath(name + QLatin1Char('.') + extension());
        if (GetParam() == Format::Odt) {
            OdtOptions options;
            options.embedPictures = embed;
            saveOdt(doc, path, options);
        } else {
            DocxOptions options;
            options.embedPictures = embed;
            saveDocx(doc, path, options);
        }
        return path;
    }

    // Saves, converts and compares pages, picture boxes and frame lines with our layout.
    // Returns the PDF.
    QString expectSameLayout(const Document& doc, const QString& name, bool embed = false)
    {
        const QString pdf = convertToPdf(save(doc, name, embed), dir.path());
        if (pdf.isEmpty())
            return {};
        const PdfGeometry geometry = readPdfGeometry(pdf);
        EXPECT_EQ(geometry.error, QString()) << name.toStdString();
        const DocumentLayout layout = layoutDocument(doc);
        EXPECT_EQ(geometry.pages.size(), layout.pages.size()) << name.toStdString();
        for (int p = 0; p < std::min(geometry.pages.size(), layout.pages.size()); ++p) {
            const PdfPage& page = geometry.pages[p];
            EXPECT_NEAR(page.size.width(), layout.pageSize.width(), Tolerance);
            EXPECT_NEAR(page.size.height(), layout.pageSize.height(), Tolerance);

            QList<QRectF> boxes;
            QList<QLineF> lines;
            for (const PlacedPicture& placed : layout.pages[p].pictures()) {
                boxes.append(placed.box);
                for (const EdgeLine& e : edgeLines(placed.box, doc.pictureAt(placed.itemIndex)))
                    lines.append(segmentOf(e));
            }
            const auto [missingBoxes, extraBoxes] = unmatched(boxes, page.images, near);
            for (const QRectF& r : missingBoxes)
                ADD_FAILURE() << name.toStdString() << " page " << p + 1 << ": no picture at "
                              << describe(r).toStdString();
            for (const QRectF& r : extraBoxes)
                ADD_FAILURE() << name.toStdString() << " page " << p + 1
                              << ": a picture we do not have at " << describe(r).toStdString();

            QList<QLineF> strokes;
            for (const PdfStroke& s : page.strokes) {
                strokes.append(s.line);
                EXPECT_NEAR(s.width, 0.25, 0.05) << name.toStdString();
            }
            const auto [missingLines, extraLines] = unmatched(lines, strokes, sameSegment);
            for (const QLineF& l : missingLines)
                ADD_FAILURE() << name.toStdString() << " page " << p + 1 << ": no frame line "
                              << describe(QRectF(l.p1(), l.p2())).toStdString();
            for (const QLineF& l : extraLines)
                ADD_FAILURE() << name.toStdString() << " page " << p + 1
                              << ": a frame line we do not draw "
                              << describe(QRectF(l.p1(), l.p2())).toStdString();
        }
        return pdf;
    }

    QTemporaryDir dir;
    QString filler;
};

INSTANTIATE_TEST_SUITE_P(Formats, LibreOfficeRoundTrip,
                         ::testing::Values(Format::Odt, Format::Docx), [](const auto& param) {
                             return std::string(param.param == Format::Odt ? "odt" : "docx");
                         });

TEST_P(LibreOfficeRoundTrip, OneSidedGridWithLeftGutterAndBlankCells)
{
    QStringList ticked = entries(11);
    ticked.insert(4, Blank);
    ticked.insert(9, Blank);
    LayoutChoice layout; // 3 x 3, gutter 6 mm on the left, greyscale, frames
    const auto docs = composeDocuments(ticked, layout, filler);
    ASSERT_EQ(docs.size(), 1u);
    ASSERT_EQ(layoutDocument(*docs[0]).pages.size(), 2);
    const QString pdf = expectSameLayout(*docs[0], QStringLiteral("one-sided"));
    if (pdf.isEmpty())
        return;

    // Greyscale shows: the middle of every coloured cell is grey, not coloured and not white.
    const QImage page = renderPdfPage(pdf, 1, 50);
    const DocumentLayout layoutPages = layoutDocument(*docs[0]);
    int coloured = 0;
    for (const PlacedPicture& placed : layoutPages.pages[0].pictures()) {
        if (docs[0]->pictureAt(placed.itemIndex).path() == filler)
            continue;
        const QPointF centre = placed.box.center() * (50.0 / 72.0);
        const QRgb c = page.pixel(centre.toPoint());
        EXPECT_LE(
            std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}), 6)
            << "not grey at " << centre.x() << "," << centre.y();
        EXPECT_LT(qGray(c), 240);
        ++coloured;
    }
    EXPECT_EQ(coloured, 8); // nine cells less one blank
}

TEST_P(LibreOfficeRoundTrip, TwoSidedFrontAndMirroredBack)
{
    LayoutChoice layout;
    layout.twoSided = true;
    layout.colorFormat = 0;
    const auto docs = composeDocuments(entries(11), layout, filler);
    ASSERT_EQ(docs.size(), 2u);
    expectSameLayout(*docs[0], QStringLiteral("front"));
    expectSameLayout(*docs[1], QStringLiteral("back")); // gutter on the right, a blank cell
}

TEST_P(LibreOfficeRoundTrip, EachGutterSide)
{
    const struct {
        const char* name;
        int size;
        int side;
    } cases[] = {
        {"no-gutter", 0, compose::GutterLeft},
        {"gutter-right", 6, compose::GutterRight},
        {"gutter-top", 6, compose::GutterTop},
        {"gutter-bottom", 8, compose::GutterBottom},
    };
    for (const auto& c : cases) {
        LayoutChoice layout;
        layout.gutterSize = c.size;
        layout.gutterSide = c.side;
        const auto docs = composeDocuments(entries(11), layout, filler);
        ASSERT_EQ(docs.size(), 1u);
        expectSameLayout(*docs[0], QString::fromLatin1(c.name));
    }
}

TEST_P(LibreOfficeRoundTrip, HostileFileNamesStayLinked)
{
    const QStringList names{
        QStringLiteral("with space.png"), QStringLiteral("hash#1.png"),
        QStringLiteral("100% sure.png"),  QStringLiteral("a&b <c> \"d\" 'e'.png"),
        QStringLiteral("what?.png"),      QStringLiteral("Шпаргалка ü é 表.png"),
    };
    QStringList ticked;
    for (int i = 0; i < names.size(); ++i)
        ticked << picture(i + 1, names[i]) + QLatin1Char('0');
    LayoutChoice layout;
    layout.columns = 2;
    layout.rows = 2;
    layout.cellWidth = 96.5;
    layout.cellHeight = 135.0;
    const auto docs = composeDocuments(ticked, layout, filler);
    ASSERT_EQ(docs.size(), 1u);
    // A link LibreOffice cannot follow leaves a placeholder instead of an image.
    expectSameLayout(*docs[0], QStringLiteral("hostile"));
}

TEST_P(LibreOfficeRoundTrip, TwoHundredStoredPictures)
{
    LayoutChoice layout;
    layout.colorFormat = 0;
    const auto docs = composeDocuments(entries(200), layout, filler);
    ASSERT_EQ(docs.size(), 1u);
    ASSERT_EQ(layoutDocument(*docs[0]).pages.size(), 23);
    expectSameLayout(*docs[0], QStringLiteral("two-hundred"), true);
}

// One row of pictures, each 90 points square: the middle of each shows what our renderer would.
TEST_P(LibreOfficeRoundTrip, CropColourTypeBrightnessAndContrastShow)
{
    Document doc;
    doc.setTopMargin(36);
    doc.setLeftMargin(36);
    doc.setRightMargin(36);
    doc.setBottomMargin(36);
    const auto add = [&](const QImage& image, const QString& name) {
        InlinePicture p(savePictureFile(image, dir.filePath(name), 96, "PNG"),
                        QSizeF(image.width() * 0.75, image.height() * 0.75), true, false);
        p.setWidth(90);
        p.setHeight(90);
        doc.insertPicture(doc.itemCount(), p);
        return doc.itemCount() - 1;
    };
    const QColor grey100(100, 100, 100);
    struct Expect {
        int item;
        QRgb colour;
    };
    QList<Expect> expected;

    const int cropped = add(halvesImage({200, 100}, Qt::red, Qt::blue), "halves.png");
    doc.pictureAt(cropped).setCrop(CropSide::Left, 75); // the red half
    expected.append({cropped, qRgb(0, 0, 255)});

    const int grey = add(solidImage({40, 40}, QColor(200, 100, 50)), "orange.png");
    doc.pictureAt(grey).setColorType(ColorType::Greyscale);
    expected.append({grey, qRgb(124, 124, 124)}); // 0.299 R + 0.587 G + 0.114 B

    const int bright = add(solidImage({40, 40}, grey100), "grey-bright.png");
    doc.pictureAt(bright).setBrightness(0.6);
    expected.append({bright, qRgb(151, 151, 151)}); // + 0.1 * 510

    const int contrast = add(solidImage({40, 40}, grey100), "grey-contrast.png");
    doc.pictureAt(contrast).setContrast(0.75);
    expected.append({contrast, qRgb(61, 61, 61)}); // (100 - 127.5) * tan(67.5°) + 127.5

    // Both at once: linked DOCX pictures come out white in LibreOffice, which converts the
    // picture for Office's formula only once it is loaded; stored ones are right.
    const int both = add(solidImage({40, 40}, grey100), "grey-both.png");
    doc.pictureAt(both).setBrightness(0.6);
    doc.pictureAt(both).setContrast(0.75);
    expected.append({both, qRgb(112, 112, 112)});

    const int mono =
        add(halvesImage({40, 40}, QColor(110, 110, 110), QColor(150, 150, 150)), "two-greys.png");
    doc.pictureAt(mono).setColorType(ColorType::BlackAndWhite);
    expected.append({mono, qRgb(0, 0, 0)}); // the left half; the right half turns white

    for (const Expect& e : expected) { // sized last: a crop keeps the scale
        doc.pictureAt(e.item).setWidth(90);
        doc.pictureAt(e.item).setHeight(90);
    }
    const QString pdf =
        expectSameLayout(doc, QStringLiteral("adjusted"), GetParam() == Format::Docx);
    if (pdf.isEmpty())
        return;
    const QImage page = renderPdfPage(pdf, 1, 72);
    const DocumentLayout layout = layoutDocument(doc);
    for (const PlacedPicture& placed : layout.pages[0].pictures()) {
        for (const Expect& e : expected) {
            if (e.item != placed.itemIndex)
                continue;
            // Near the left edge: the left half of the two-colour pictures.
            const QPointF at = e.item == mono || e.item == cropped
                                   ? QPointF(placed.box.left() + 8, placed.box.center().y())
                                   : placed.box.center();
            const QRgb c = page.pixel(at.toPoint());
            EXPECT_NEAR(qRed(c), qRed(e.colour), 10) << "picture " << e.item;
            EXPECT_NEAR(qGreen(c), qGreen(e.colour), 10) << "picture " << e.item;
            EXPECT_NEAR(qBlue(c), qBlue(e.colour), 10) << "picture " << e.item;
        }
        if (placed.itemIndex == mono) {
            const QRgb right =
                page.pixel(QPoint(int(placed.box.right() - 20), int(placed.box.center().y())));
            EXPECT_EQ(qGray(right), 255);
        }
    }
}

} // namespace
