#include "DocumentTestSupport.h"

#include "common/Error.h"
#include "document/PageRenderer.h"
#include "document/PicturePreparation.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Pages rendered at 72 dpi, so a point is a pixel; the text area starts at (10, 10).
class PageRendererTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        doc.setLeftMargin(10);
        doc.setTopMargin(10);
    }

    // A picture whose own size in points equals its pixel size, shown at `size`.
    InlinePicture& add(const QString& path, QSizeF size)
    {
        const QImage image(path);
        doc.insertPicture(doc.itemCount(), InlinePicture(path, QSizeF(image.size()), true, false));
        InlinePicture& picture = doc.pictureAt(doc.itemCount() - 1);
        picture.setWidth(size.width());
        picture.setHeight(size.height());
        return picture;
    }

    QImage render(QList<PictureFailure>* failures = nullptr, double dpi = 72.0)
    {
        return renderPageImage(doc, layoutDocument(doc).pages[0], dpi, failures);
    }

    QString file(const QString& name, const QImage& image)
    {
        return savePictureFile(image, dir.filePath(name), 96, "PNG");
    }

    QTemporaryDir dir;
    Document doc;
};

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool isBlue(QRgb c)
{
    return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
}
bool isBlack(QRgb c)
{
    return qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8;
}
bool isWhite(QRgb c)
{
    return qRed(c) > 247 && qGreen(c) > 247 && qBlue(c) > 247;
}

} // namespace

TEST_F(PageRendererTest, CropRemovesItsShareOfThePicture)
{
    const QString path = file("halves.png", halvesImage({200, 100}, Qt::red, Qt::blue));
    const struct {
        double left, right;
        int boundary; // page x where red turns blue; the box is 120 wide at x = 10
    } cases[] = {{0, 0, 70}, {50, 0, 50}, {50, 50, 70}, {0, 100, 130}, {100, 0, 10}};
    for (const auto& c : cases) {
        doc = Document();
        doc.setLeftMargin(10);
        doc.setTopMargin(10);
        InlinePicture& picture = add(path, {120, 60});
        picture.setCrop(CropSide::Left, c.left);
        picture.setCrop(CropSide::Right, c.right);
        picture.setWidth(120);
        const QImage page = render();
        for (int x = 12; x < 128; ++x) {
            if (std::abs(x - c.boundary) < 3)
                continue;
            const QRgb pixel = page.pixel(x, 40);
            EXPECT_TRUE(x < c.boundary ? isRed(pixel) : isBlue(pixel))
                << "crop " << c.left << "/" << c.right << " at x " << x;
        }
    }

    // The same along the other axis: the bottom half cut off leaves the red top.
    doc = Document();
    doc.setLeftMargin(10);
    doc.setTopMargin(10);
    QImage topRed = solidImage({100, 200}, Qt::blue);
    QPainter(&topRed).fillRect(0, 0, 100, 100, Qt::red);
    InlinePicture& tall = add(file("top.png", topRed), {50, 100});
    tall.setCrop(CropSide::Bottom, 100);
    tall.setHeight(100);
    const QImage page = render();
    for (int y = 12; y < 108; y += 5)
        EXPECT_TRUE(isRed(page.pixel(35, y))) << "y " << y;
}

TEST_F(PageRendererTest, ColourTypesGiveGreyAndBlackAndWhitePixels)
{
    QImage ramp(256, 20, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 20; ++y)
            ramp.setPixel(x, y, qRgb(x, x, 255 - x));
    const QString path = file("ramp.png", ramp);
    add(path, {128, 40}); // automatic
    doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    add(path, {128, 40}).setColorType(ColorType::Greyscale);
    doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    add(path, {128, 40}).setColorType(ColorType::BlackAndWhite);

    const QImage page = render();
    int coloured = 0, notGrey = 0, black = 0, white = 0, between = 0;
    for (int x = 12; x < 136; ++x) {
        const QRgb automatic = page.pixel(x, 30);
        coloured += qRed(automatic) != qBlue(automatic) ? 1 : 0;
        const QRgb grey = page.pixel(x, 70);
        notGrey += (qRed(grey) != qGreen(grey) || qGreen(grey) != qBlue(grey)) ? 1 : 0;
        const QRgb bw = page.pixel(x, 110);
        black += isBlack(bw) ? 1 : 0;
        white += isWhite(bw) ? 1 : 0;
        between += !isBlack(bw) && !isWhite(bw) ? 1 : 0;
    }
    EXPECT_GT(coloured, 100);
    EXPECT_EQ(notGrey, 0);
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 20);
    EXPECT_EQ(between, 0);
}

TEST_F(PageRendererTest, BrightnessZeroGivesBlack)
{
    // The page takes its adjustments from imaging; until that applies brightness there is
    // nothing to see here.
    QImage white(1, 1, QImage::Format_RGB32);
    white.fill(Qt::white);
    imaging::Adjustments dark;
    dark.brightness = 0.0;
    if (!isBlack(imaging::applyAdjustments(white, dark).pixel(0, 0)))
        GTEST_SKIP() << "imaging::applyAdjustments does not apply brightness yet";

    add(file("photo.png", halvesImage({100, 100}, Qt::yellow, Qt::cyan)), {80, 80})
        .setBrightness(0.0);
    const QImage page = render();
    for (int y = 12; y < 88; y += 7)
        for (int x = 12; x < 88; x += 7)
            EXPECT_TRUE(isBlack(page.pixel(x, y))) << x << "," << y;
}

TEST_F(PageRendererTest, DrawsOnlyTheRequestedEdgesOnTheBoxEdges)
{
    const QString grey = file("grey.png", solidImage({50, 50}, QColor(128, 128, 128)));
    InlinePicture& first = add(grey, {100, 50});
    first.setBorder(BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
    first.setBorder(BorderEdge::Left, LineStyleSingle, LineWidthQuarterPoint);
    first.setBorder(BorderEdge::Right, LineStyleSingle, LineWidthQuarterPoint);
    InlinePicture& second = add(grey, {100, 50}); // box x 110 to 210
    second.setBorder(BorderEdge::Left, LineStyleSingle, LineWidthQuarterPoint);
    second.setBorder(BorderEdge::Bottom, LineStyleSingle, LineWidthQuarterPoint);

    const QImage page = render();
    const auto at = [&](int x, int y) { return page.pixel(x, y); };
    for (int x = 10; x <= 110; ++x) {
        EXPECT_TRUE(isBlack(at(x, 10))) << "top of the first, x " << x;
        EXPECT_FALSE(isBlack(at(x, 9))) << x;
        EXPECT_FALSE(isBlack(at(x, 11)) && x != 10 && x != 110) << x;
    }
    for (int y = 10; y <= 60; ++y) {
        EXPECT_TRUE(isBlack(at(10, y))) << "left of the first, y " << y;
        EXPECT_TRUE(isBlack(at(110, y))) << "the shared edge, y " << y;
        EXPECT_FALSE(isBlack(at(109, y)) && y != 10 && y != 60) << y;
        EXPECT_FALSE(isBlack(at(111, y)) && y != 10 && y != 60) << y;
        EXPECT_TRUE(isWhite(at(210, y)) || y == 60) << "no right edge on the second, y " << y;
    }
    for (int x = 111; x <= 210; ++x) {
        EXPECT_TRUE(isBlack(at(x, 60))) << "bottom of the second, x " << x;
        EXPECT_FALSE(isBlack(at(x, 10))) << "no top edge on the second, x " << x;
    }
    for (int x = 11; x < 110; ++x)
        EXPECT_TRUE(isWhite(at(x, 60))) << "no bottom edge on the first, x " << x;
    EXPECT_EQ(qGray(at(60, 35)), 128);
}

TEST_F(PageRendererTest, AFailingPictureBecomesAMarkedPlaceholderAndTheRestIsDrawn)
{
    const QString gone = file("gone.png", solidImage({40, 40}, Qt::red));
    const QString kept = file("kept.png", solidImage({40, 40}, Qt::blue));
    add(gone, {100, 100});
    add(kept, {100, 100});
    add(gone, {100, 100});
    ASSERT_TRUE(QFile::remove(gone));

    QList<PictureFailure> failures;
    const QImage page = render(&failures);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0].itemIndex, 0);
    EXPECT_EQ(failures[1].itemIndex, 2);
    EXPECT_EQ(failures[0].path, gone);
    EXPECT_TRUE(failures[0].reason.contains(gone)) << failures[0].reason.toStdString();

    for (const int left : {10, 210}) {
        EXPECT_EQ(page.pixel(left + 50, 20), qRgb(192, 192, 192)) << left; // the grey box
        EXPECT_LT(qGray(page.pixel(left + 50, 60)), 100) << left;          // on the cross
        EXPECT_LT(qGray(page.pixel(left + 30, 40)), 100) << left;
    }
    EXPECT_TRUE(isBlue(page.pixel(160, 60)));
}

TEST_F(PageRendererTest, DecodesEachFileOncePerPageAtTheLargestSizeNeeded)
{
    const QString path = file("filler.png", solidImage({50, 50}, Qt::white));
    add(path, {30, 60});
    add(path, {30, 60});
    InlinePicture& cropped = add(path, {90, 20});
    cropped.setCrop(CropSide::Left, 25); // half the width is left
    cropped.setWidth(90);
    add(path, {30, 60});

    QList<QSize> requests;
    RenderOptions options;
    options.pictureDpi = 144;
    options.decoder = [&](const QString& file, const imaging::DecodeRequest& request) {
        requests.append(request.atLeast);
        return imaging::decodeFile(file, request);
    };
    const DocumentLayout layout = layoutDocument(doc);
    QImage page(200, 200, QImage::Format_RGB32);
    QPainter painter(&page);
    EXPECT_TRUE(renderPage(doc, layout.pages[0], painter, 1.0, true, options).isEmpty());
    // 30 x 60 points at 144 dpi need 60 x 120 pixels; 90 points of half the picture 360.
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0], QSize(360, 120));

    // Only what is visible is decoded; and each page decodes afresh.
    requests.clear();
    options.visibleArea = QRectF(0, 0, 5, 5);
    renderPage(doc, layout.pages[0], painter, 1.0, true, options);
    EXPECT_TRUE(requests.isEmpty());
}

TEST(PicturePreparation, MapsSharesToPixelsAndNeverEnlarges)
{
    EXPECT_EQ(boxPixels({182.29, 255.15}, 300), QSize(760, 1063));
    EXPECT_EQ(boxPixels({0.1, 0}, 72), QSize(1, 1));
    EXPECT_EQ(decodeSizeFor({760, 1063}, QRectF(0, 0, 1, 1)), QSize(760, 1063));
    EXPECT_EQ(decodeSizeFor({760, 1063}, QRectF(0.1, 0.05, 0.8, 0.5)), QSize(950, 2126));
    EXPECT_EQ(decodeSizeFor({760, 1063}, QRectF(0, 0, 1e-9, 1)), QSize(32768, 1063));

    EXPECT_EQ(sourceRect({200, 100}, QRectF(0.25, 0, 0.5, 1)), QRect(50, 0, 100, 100));
    EXPECT_EQ(sourceRect({2480, 3508}, QRectF(0.1, 0.05, 0.9, 0.95)), QRect(248, 175, 2232, 3333));
    EXPECT_TRUE(sourceRect({200, 100}, QRectF(0.5, 0, 0, 1)).isEmpty());

    const imaging::Adjustments neutral;
    QImage small(50, 40, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    const QImage kept = preparePicture(small, QRectF(0, 0, 1, 1), {760, 1063}, neutral);
    EXPECT_EQ(kept.size(), QSize(50, 40));
    EXPECT_EQ(kept.pixel(10, 10), qRgb(255, 255, 255)); // transparency lies on white paper

    QImage grey(400, 400, QImage::Format_Grayscale8);
    grey.fill(100);
    const QImage scaled = preparePicture(grey, QRectF(0, 0, 0.5, 1), {100, 300}, neutral);
    EXPECT_EQ(scaled.size(), QSize(100, 300));
    EXPECT_EQ(scaled.format(), QImage::Format_Grayscale8);
    EXPECT_TRUE(preparePicture(grey, QRectF(0, 0, 0, 1), {100, 100}, neutral).isNull());

    // Kinds the PDF keeps: one bit when not scaled, grey for colour files holding only grey.
    QImage bw(50, 50, QImage::Format_Mono);
    bw.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bw.fill(0);
    EXPECT_EQ(preparePicture(bw, QRectF(0, 0, 1, 1), {71, 1063}, neutral).format(),
              QImage::Format_Mono);
    EXPECT_EQ(preparePicture(bw, QRectF(0, 0, 1, 1), {20, 20}, neutral).format(),
              QImage::Format_Grayscale8);
    EXPECT_EQ(preparePicture(solidImage({40, 40}, QColor(90, 90, 90)), QRectF(0, 0, 1, 1), {40, 40},
                             neutral)
                  .format(),
              QImage::Format_Grayscale8);
    EXPECT_EQ(preparePicture(solidImage({40, 40}, QColor(90, 90, 91)), QRectF(0, 0, 1, 1), {40, 40},
                             neutral)
                  .format(),
              QImage::Format_RGB32);

    // Kept proportions: the share fitted into the target and centred on white, never enlarged
    // (the box shrinks with it instead).
    const struct {
        QSize picture, target, image;
        QPoint paper;
    } fits[] = {
        {{400, 200}, {100, 100}, {100, 100}, {50, 10}}, // bands above and below
        {{200, 400}, {100, 100}, {100, 100}, {10, 50}}, // bands left and right
        {{50, 100}, {200, 200}, {100, 100}, {10, 50}},  // small: box at the picture's scale
        {{100, 100}, {100, 100}, {100, 100}, {-1, -1}}, // same proportions: nothing added
    };
    const imaging::Adjustments greyscale{0.5, 0.5, imaging::ColorMode::Greyscale};
    for (const auto& c : fits) {
        const QImage ink = solidImage(c.picture, Qt::black);
        const QImage fitted =
            preparePicture(ink, QRectF(0, 0, 1, 1), c.target, greyscale, {true, false});
        EXPECT_EQ(fitted.size(), c.image) << c.picture.width();
        EXPECT_EQ(qGray(fitted.pixel(c.image.width() / 2, c.image.height() / 2)), 0);
        if (c.paper.x() >= 0) {
            EXPECT_EQ(qGray(fitted.pixel(c.paper)), 255) << c.picture.width();
        }
    }
    // Black and white on evened paper is thresholded at the target's pixels, a smaller picture
    // enlarged to them first; without it the picture keeps its own pixels.
    const imaging::Adjustments blackAndWhite{0.5, 0.5, imaging::ColorMode::BlackAndWhite};
    const QImage page = solidImage({20, 30}, QColor(200, 200, 200));
    const QImage local =
        preparePicture(page, QRectF(0, 0, 1, 1), {80, 120}, blackAndWhite, {false, true});
    EXPECT_EQ(local.size(), QSize(80, 120));
    EXPECT_EQ(local.format(), QImage::Format_Mono);
    EXPECT_EQ(preparePicture(page, QRectF(0, 0, 1, 1), {80, 120}, blackAndWhite).size(),
              QSize(20, 30));
}

TEST(EdgeGeometry, PutsLinesOnTheSnappedBoxEdgesWholePixelsWide)
{
    const auto line = [](BorderEdge edge, double position, double from, double to, double width) {
        return EdgeLine{edge, position, from, to, width};
    };
    const struct {
        EdgeLine line;
        double scale;
        QRect expected;
    } cases[] = {
        // A quarter point at 72 dpi and at 300 dpi: one pixel on the snapped edge.
        {line(BorderEdge::Left, 10, 10, 60, 0.25), 1.0, QRect(10, 10, 1, 51)},
        {line(BorderEdge::Left, 10, 10, 60, 0.25), 300 / 72.0, QRect(42, 42, 1, 209)},
        {line(BorderEdge::Top, 10.4, 10.4, 110.4, 0.25), 1.0, QRect(10, 10, 101, 1)},
        // 1.5 points at 72 dpi: two pixels, one before the edge.
        {line(BorderEdge::Bottom, 60, 10, 110, 1.5), 1.0, QRect(9, 59, 102, 2)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(snappedEdgeArea(c.line, c.scale), c.expected) << c.scale;
        EXPECT_EQ(snappedBox(QRectF(10, 10, 100, 50), c.scale).left(),
                  snappedEdgeArea(line(BorderEdge::Left, 10, 10, 60, 0.25), c.scale).left());
    }
    const QRectF area = edgeArea(line(BorderEdge::Right, 110, 10, 60, 0.25));
    EXPECT_EQ(area, QRectF(109.875, 9.875, 0.25, 50.25));
}
