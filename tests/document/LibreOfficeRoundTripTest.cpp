// Our ODT and DOCX files as LibreOffice lays them out: each is converted to PDF by soffice and
// the PDF's own geometry (images and stroked lines, read from its content streams) is compared
// with our flow layout: the same page count, every picture's box within 0.5 mm of ours, a frame
// line on every edge the grid asks for and on no other. Crop, colour type, brightness and
// contrast are checked on pixels of the rendered pages.
#include "ComposedDocuments.h"
#include "DocumentTestSupport.h"
#include "LibreOffice.h"
#include "PdfGeometry.h"
#include "PictureFiles.h"

#include "common/Error.h"
#include "document/DocxExport.h"
#include "document/EdgeGeometry.h"
#include "document/FlowLayout.h"
#include "document/OdtExport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

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

// Compares the pages of a PDF that LibreOffice made with our layout: the page count, every
// picture's box and every frame line.
void expectSamePages(const Document& doc, const QString& pdf, const QString& name)
{
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
        if (!pdf.isEmpty())
            expectSamePages(doc, pdf, name);
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
    layout.colorType = ColorType::Automatic;
    const auto docs = composeDocuments(entries(200), layout, filler);
    ASSERT_EQ(docs.size(), 1u);
    ASSERT_EQ(layoutDocument(*docs[0]).pages.size(), 23);
    expectSameLayout(*docs[0], QStringLiteral("two-hundred"), true);
}

// Two rows of pictures, each 90 points square: a point of each shows what our renderer shows.
TEST_P(LibreOfficeRoundTrip, CropColourTypeBrightnessContrastAndConversionsShow)
{
    Document doc;
    doc.setTopMargin(36);
    doc.setLeftMargin(36);
    doc.setRightMargin(36);
    doc.setBottomMargin(36);
    const auto add = [&](const QString& path, QSizeF own) {
        doc.insertPicture(doc.itemCount(), InlinePicture(path, own, true, false));
        return doc.itemCount() - 1;
    };
    const auto addImage = [&](const QImage& image, const QString& name) {
        return add(savePictureFile(image, dir.filePath(name), 96, "PNG"),
                   QSizeF(image.width() * 0.75, image.height() * 0.75));
    };
    const auto addBytes = [&](const QByteArray& bytes, const QString& name, QSizeF own) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return add(f.fileName(), own);
    };
    const QColor grey100(100, 100, 100);
    struct Expect {
        int item;
        QPointF at; // share of the box
        QRgb colour;
    };
    QList<Expect> expected;
    const QPointF centre(0.5, 0.5);
    const QPointF leftSide(0.1, 0.5);

    const int cropped = addImage(halvesImage({200, 100}, Qt::red, Qt::blue), "halves.png");
    doc.pictureAt(cropped).setCrop(CropSide::Left, 75); // the red half
    expected.append({cropped, leftSide, qRgb(0, 0, 255)});

    const int grey = addImage(solidImage({40, 40}, QColor(200, 100, 50)), "orange.png");
    doc.pictureAt(grey).setColorType(ColorType::Greyscale);
    expected.append({grey, centre, qRgb(124, 124, 124)}); // 0.299 R + 0.587 G + 0.114 B

    const int bright = addImage(solidImage({40, 40}, grey100), "grey-bright.png");
    doc.pictureAt(bright).setBrightness(0.6);
    expected.append({bright, centre, qRgb(151, 151, 151)}); // + 0.1 * 510

    const int contrast = addImage(solidImage({40, 40}, grey100), "grey-contrast.png");
    doc.pictureAt(contrast).setContrast(0.75);
    expected.append({contrast, centre, qRgb(61, 61, 61)}); // (100 - 127.5) tan(67.5°) + 127.5

    // Both at once: linked DOCX pictures come out white in LibreOffice, which converts the
    // picture for Office's formula only once it is loaded; stored ones are right.
    const int both = addImage(solidImage({40, 40}, grey100), "grey-both.png");
    doc.pictureAt(both).setBrightness(0.6);
    doc.pictureAt(both).setContrast(0.75);
    expected.append({both, centre, qRgb(112, 112, 112)});

    const int mono = addImage(halvesImage({40, 40}, QColor(110, 110, 110), QColor(150, 150, 150)),
                              "two-greys.png");
    doc.pictureAt(mono).setColorType(ColorType::BlackAndWhite);
    expected.append({mono, leftSide, qRgb(0, 0, 0)});
    expected.append({mono, QPointF(0.9, 0.5), qRgb(255, 255, 255)});

    // A PCX, which LibreOffice and Word do not read, stored as a PNG: dark left, light right,
    // cropped to its right half.
    const QImage pcxPicture = halvesImage({60, 30}, QColor(40, 40, 40), QColor(220, 220, 220));
    const int pcx = addBytes(pcxFile(pcxPicture, 72), "scan.pcx", QSizeF(60, 30));
    doc.pictureAt(pcx).setCrop(CropSide::Left, 30);
    expected.append({pcx, leftSide, qRgb(220, 220, 220)});

    // A photograph turned by its EXIF orientation: blue left and red right as stored, shown
    // turned a quarter clockwise with blue at the top.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    halvesImage({200, 100}, Qt::blue, Qt::red).save(&buffer, "JPEG", 95);
    const int turned = addBytes(withExifOrientation(jpeg, 6), "turned.jpg", QSizeF(75, 150));
    expected.append({turned, QPointF(0.5, 0.2), qRgb(0, 0, 255)});
    expected.append({turned, QPointF(0.5, 0.8), qRgb(255, 0, 0)});

    for (int i = 0; i < doc.itemCount(); ++i) { // sized last: a crop keeps the scale
        doc.pictureAt(i).setWidth(90);
        doc.pictureAt(i).setHeight(90);
    }
    const QString pdf =
        expectSameLayout(doc, QStringLiteral("adjusted"), GetParam() == Format::Docx);
    if (pdf.isEmpty())
        return;
    const QImage page = renderPdfPage(pdf, 1, 72);
    const DocumentLayout layout = layoutDocument(doc);
    ASSERT_EQ(layout.pages.size(), 1);
    for (const PlacedPicture& placed : layout.pages[0].pictures()) {
        for (const Expect& e : expected) {
            if (e.item != placed.itemIndex)
                continue;
            const QPointF at(placed.box.left() + e.at.x() * placed.box.width(),
                             placed.box.top() + e.at.y() * placed.box.height());
            const QRgb c = page.pixel(at.toPoint());
            const QString where =
                QStringLiteral("picture %1 at %2,%3").arg(e.item).arg(e.at.x()).arg(e.at.y());
            EXPECT_NEAR(qRed(c), qRed(e.colour), 12) << where.toStdString();
            EXPECT_NEAR(qGreen(c), qGreen(e.colour), 12) << where.toStdString();
            EXPECT_NEAR(qBlue(c), qBlue(e.colour), 12) << where.toStdString();
        }
    }
}

// Every setting the layout panel and pagula-compose accept, a row each: the ODT and the DOCX
// of every row give our pages in LibreOffice, or are refused with a message naming the margin
// when their pictures run over the sheet. All files go through one soffice call.
namespace table
{

// The cell size the layout panel ends with when asked for `wanted`: the largest that fits,
// as its one-decimal text when that still fits.
double panelCell(double wanted, int sheet, int nearMargin, int farMargin, int count)
{
    const double largest = static_cast<double>(sheet - nearMargin - farMargin) / count;
    if (wanted <= largest)
        return wanted;
    const double shown = std::round(largest * 10.0) / 10.0;
    return shown <= largest ? shown : largest;
}

struct Row {
    const char* name;
    std::function<void(LayoutChoice&)> set;
    int entries = 11;
    bool embed = false;
    const char* refusal = nullptr; // the margin the message names
    double width = 1000.0;         // cell size asked for, mm
    double height = 1000.0;
    const char* backRefusal = nullptr; // the margin named for the back side alone
};

void margins(LayoutChoice& l, int left, int right, int top, int bottom)
{
    l.marginLeft = left;
    l.marginRight = right;
    l.marginTop = top;
    l.marginBottom = bottom;
}

const Row Rows[] = {
    {"start-values", [](LayoutChoice&) {}},
    {"bottom-0", [](LayoutChoice& l) { l.marginBottom = 0; }},
    {"left-0-right-0", [](LayoutChoice& l) { margins(l, 0, 0, 7, 20); }, 11, true},
    {"all-margins-0", [](LayoutChoice& l) { margins(l, 0, 0, 0, 0); }},
    {"wide-margins", [](LayoutChoice& l) { margins(l, 40, 35, 30, 50); }},
    {"right-3-bottom-2", [](LayoutChoice& l) { margins(l, 7, 3, 7, 2); }, 11, true},
    {"smaller-cells", [](LayoutChoice&) {}, 11, false, nullptr, 50.0, 70.0},
    {"one-by-one", [](LayoutChoice& l) { l.columns = l.rows = 1; }, 3},
    {"fifteen-by-fifteen", [](LayoutChoice& l) { l.columns = l.rows = 15; }, 240, true},
    {"fifteen-by-fifteen-margins-0",
     [](LayoutChoice& l) {
         l.columns = l.rows = 15;
         margins(l, 0, 0, 0, 0);
     },
     240, false, "right"},
    {"no-gutter", [](LayoutChoice& l) { l.gutterSize = 0; }},
    {"gutter-right", [](LayoutChoice& l) { l.gutterSide = compose::GutterSide::Right; }},
    {"gutter-top", [](LayoutChoice& l) { l.gutterSide = compose::GutterSide::Top; }},
    {"gutter-bottom",
     [](LayoutChoice& l) {
         l.gutterSize = 8;
         l.gutterSide = compose::GutterSide::Bottom;
     }},
    {"strip-1-left", [](LayoutChoice& l) { l.gutterSize = 1; }},
    {"strip-2-top",
     [](LayoutChoice& l) {
         l.gutterSize = 2;
         l.gutterSide = compose::GutterSide::Top;
     }},
    {"strip-3-bottom-margins-0",
     [](LayoutChoice& l) {
         margins(l, 0, 0, 0, 0);
         l.gutterSize = 3;
         l.gutterSide = compose::GutterSide::Bottom;
     }},
    {"strip-30-right",
     [](LayoutChoice& l) {
         l.gutterSize = 30;
         l.gutterSide = compose::GutterSide::Right;
     }},
    {"frame-off", [](LayoutChoice& l) { l.frame = false; }},
    {"two-sided", [](LayoutChoice& l) { l.twoSided = true; }},
    {"two-sided-margins-0-gutter-right",
     [](LayoutChoice& l) {
         l.twoSided = true;
         margins(l, 0, 0, 0, 0);
         l.gutterSide = compose::GutterSide::Right;
     },
     14, true},
    {"two-sided-back-offset",
     [](LayoutChoice& l) {
         l.twoSided = true;
         l.backOffset = QPointF(1.5, -2.0);
     }},
    // A back offset can take the back side's grid over the sheet's edge, where its file is
    // refused; negative margins themselves never reach a document, as the run refuses them.
    {"two-sided-margins-0-back-offset-left",
     [](LayoutChoice& l) {
         l.twoSided = true;
         margins(l, 0, 0, 0, 0);
         l.backOffset = QPointF(-2.0, 0.0);
     },
     11, false, nullptr, 1000.0, 1000.0, "left"},
    {"two-sided-back-offset-gutter-top",
     [](LayoutChoice& l) {
         l.twoSided = true;
         l.gutterSide = compose::GutterSide::Top;
         l.backOffset = QPointF(-1.0, 1.5);
     },
     14, true},
};

struct File {
    QString path;
    const Document* document;
};

TEST(LibreOfficeSettingsTable, EveryRowGivesOurPagesOrIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString filler = dir.filePath(QStringLiteral("Pagula-tmp.bmp"));
    QStringList pictures;
    for (int i = 0; i < 12; ++i) {
        const QColor colour = QColor::fromHsv((i * 47) % 360, 140 + (i * 13) % 100, 220);
        pictures << savePictureFile(solidImage({60, 80}, colour),
                                    dir.filePath(QStringLiteral("picture-%1.png").arg(i)), 96,
                                    "PNG");
    }

    std::vector<std::shared_ptr<Document>> kept;
    QList<File> files;
    for (const Row& row : Rows) {
        LayoutChoice layout;
        row.set(layout);
        layout.cellWidth =
            panelCell(row.width, 210, layout.marginLeft, layout.marginRight, layout.columns);
        layout.cellHeight =
            panelCell(row.height, 297, layout.marginTop, layout.marginBottom, layout.rows);
        QStringList ticked;
        for (int i = 0; i < row.entries; ++i)
            ticked << (i % 7 == 4 ? Blank : pictures[i % pictures.size()] + QLatin1Char('0'));
        const auto docs = composeDocuments(ticked, layout, filler);
        ASSERT_EQ(docs.size(), layout.twoSided ? 2u : 1u) << row.name;
        for (size_t d = 0; d < docs.size(); ++d) {
            kept.push_back(docs[d]);
            const char* refusal = d == 1 && row.backRefusal ? row.backRefusal : row.refusal;
            for (const char* extension : {"odt", "docx"}) {
                // The format in the base name too: soffice names each PDF after it, and the
                // DOCX's PDF would take the place of the ODT's.
                const QString name =
                    QStringLiteral("%1%2-%3.%3")
                        .arg(QLatin1String(row.name), d == 0 ? QString() : QStringLiteral("-back"),
                             QLatin1String(extension));
                const QString path = dir.filePath(name);
                try {
                    if (extension == std::string("odt")) {
                        OdtOptions options;
                        options.embedPictures = row.embed;
                        saveOdt(*docs[d], path, options);
                    } else {
                        DocxOptions options;
                        options.embedPictures = row.embed;
                        saveDocx(*docs[d], path, options);
                    }
                } catch (const common::Error& e) {
                    EXPECT_TRUE(refusal) << name.toStdString() << ": " << e.what();
                    if (refusal) {
                        EXPECT_TRUE(e.message().contains(
                            QStringLiteral("the %1 margin").arg(QLatin1String(refusal))))
                            << name.toStdString() << ": " << e.what();
                    }
                    EXPECT_FALSE(QFileInfo::exists(path)) << name.toStdString();
                    continue;
                }
                EXPECT_FALSE(refusal) << name.toStdString() << " was written";
                files.append({path, docs[d].get()});
            }
        }
    }

    QStringList paths;
    for (const File& f : files)
        paths << f.path;
    const QStringList pdfs = convertAllToPdf(paths, dir.path());
    ASSERT_EQ(pdfs.size(), files.size());
    for (int i = 0; i < files.size(); ++i)
        if (!pdfs[i].isEmpty())
            expectSamePages(*files[i].document, pdfs[i], QFileInfo(files[i].path).fileName());
}

} // namespace table

} // namespace
