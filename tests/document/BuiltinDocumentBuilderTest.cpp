#include "DocumentTestSupport.h"

#include "common/Error.h"
#include "document/BuiltinDocumentBuilder.h"
#include "document/FlowLayout.h"
#include "document/PageGeometry.h"

#include <QFile>
#include <QTemporaryDir>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;
using pagula::test::errorOf;
using pagula::test::kNoError;

namespace
{

class BuiltinDocumentBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // 96 dpi: 200 x 100 pixels are 150 x 75 points, 1600 x 1200 are 1200 x 900.
        small = savePictureFile(solidImage({200, 100}, Qt::red), dir.filePath("small.jpg"));
        large = savePictureFile(solidImage({1600, 1200}, Qt::blue), dir.filePath("large.jpg"));
        // A text area of 300 x 400 points.
        builder.beginDocument(QMarginsF(100, 100, A4WidthPoints - 400, A4HeightPoints - 500));
    }

    Document& doc() { return *builder.currentDocument(); }

    QTemporaryDir dir;
    QString small;
    QString large;
    BuiltinDocumentBuilder builder;
};

} // namespace

TEST_F(BuiltinDocumentBuilderTest, PicturesAreLinkedAndShownAtTheCellSizeWithTheirFormatAndEdges)
{
    builder.addCell({small,
                     {100, 120},
                     CellAdjustments{0.0, 0.75, ColorType::BlackAndWhite, {}, false},
                     std::nullopt,
                     CellEdges{true, false, false, true}});
    builder.addCell({large, {50, 60}, std::nullopt, std::nullopt, {}}); // a strip

    ASSERT_EQ(doc().itemCount(), 2);
    const InlinePicture& p = doc().pictureAt(0);
    EXPECT_EQ(p.path(), small);
    EXPECT_TRUE(p.linkToFile());
    EXPECT_FALSE(p.saveWithDocument());
    EXPECT_EQ(p.ownSize(), QSizeF(150, 75));
    EXPECT_EQ(p.size(), QSizeF(100, 120));
    const imaging::Adjustments a = p.adjustments();
    EXPECT_EQ(a.brightness, 0.0);
    EXPECT_EQ(a.contrast, 0.75);
    EXPECT_EQ(a.colorMode, imaging::ColorMode::BlackAndWhite);
    EXPECT_EQ(p.border(BorderEdge::Top), (BorderLine{1, 2}));
    EXPECT_EQ(p.border(BorderEdge::Right), (BorderLine{1, 2}));
    EXPECT_FALSE(p.border(BorderEdge::Left).isVisible());
    EXPECT_FALSE(p.border(BorderEdge::Bottom).isVisible());
    EXPECT_DOUBLE_EQ(p.border(BorderEdge::Top).widthPoints(), 0.25);

    const InlinePicture& strip = doc().pictureAt(1);
    EXPECT_EQ(strip.ownSize(), QSizeF(1200, 900));
    EXPECT_EQ(strip.size(), QSizeF(50, 60));
    EXPECT_EQ(strip.brightness(), 0.5);
    EXPECT_EQ(strip.colorType(), ColorType::Automatic);
    EXPECT_DOUBLE_EQ(strip.crop().left + strip.crop().top, 0.0);
}

TEST_F(BuiltinDocumentBuilderTest, CropsInPercentOfTheOwnSizeThenStretchesTheRestToTheCell)
{
    const struct {
        const char* name;
        CellCrop crop;
        Crop points; // left, top, right, bottom
        QRectF share;
    } cases[] = {
        // The large picture comes in scaled down to the text area; the crop still counts
        // its own 1200 x 900 points.
        {"left and top", {10, 0, 5, 0}, {120, 45, 0, 0}, {0.1, 0.05, 0.9, 0.95}},
        {"all sides", {1, 2, 3, 4}, {12, 27, 24, 36}, {0.01, 0.03, 0.97, 0.93}},
        {"none", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 1}},
        // 60 % left and 60 % right: the second crop gets only what is left.
        {"beyond the picture", {60, 60, 0, 0}, {720, 0, 480, 0}, {0.6, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        builder.addCell({large, {182.3, 255.15}, CellAdjustments{}, c.crop, {}});
        const InlinePicture& p = doc().pictureAt(doc().itemCount() - 1);
        EXPECT_NEAR(p.crop().left, c.points.left, 1e-3) << c.name;
        EXPECT_NEAR(p.crop().top, c.points.top, 1e-3) << c.name;
        EXPECT_NEAR(p.crop().right, c.points.right, 1e-3) << c.name;
        EXPECT_NEAR(p.crop().bottom, c.points.bottom, 1e-3) << c.name;
        EXPECT_NEAR(p.width(), 182.3, 1e-4) << c.name;
        EXPECT_NEAR(p.height(), 255.15, 1e-4) << c.name;
        const QRectF share = p.visibleShare();
        EXPECT_NEAR(share.left(), c.share.left(), 1e-6) << c.name;
        EXPECT_NEAR(share.top(), c.share.top(), 1e-6) << c.name;
        EXPECT_NEAR(share.width(), c.share.width(), 1e-6) << c.name;
        EXPECT_NEAR(share.height(), c.share.height(), 1e-6) << c.name;
    }
}

TEST_F(BuiltinDocumentBuilderTest, AFailedCellNamesTheFileAndLeavesTheDocumentAsItWas)
{
    builder.addCell({small, {10, 10}, std::nullopt, std::nullopt, {}});
    builder.endRow();
    builder.addCell({large, {99, 10}, std::nullopt, std::nullopt, {}});

    QFile text(dir.filePath("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not the pixels you are looking for\n");
    text.close();
    QFile empty(dir.filePath("empty.bmp"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    const QString missing = dir.filePath("missing.jpg");
    for (const QString& path : {missing, text.fileName(), empty.fileName(), dir.path()}) {
        const QString message = errorOf([&] {
            builder.addCell({path, {10, 10}, std::nullopt, std::nullopt, {}});
        });
        const QString prefix = QStringLiteral("Cannot insert picture %1: ").arg(path);
        EXPECT_TRUE(message.startsWith(prefix)) << message.toStdString();
        EXPECT_GT(message.size(), prefix.size()) << "no reason given for " << path.toStdString();
    }
    EXPECT_EQ(
        errorOf([&] {
            builder.addCell({missing, {10, 10}, std::nullopt, std::nullopt, {}});
        }),
        QStringLiteral("Cannot insert picture %1: Cannot open file %1: No such file or directory")
            .arg(missing));
    // A value out of range fails the whole cell, not a part of it.
    EXPECT_NE(errorOf([&] {
                  builder.addCell({small,
                                   {10, 10},
                                   CellAdjustments{1.5, 0.5, ColorType::Automatic, {}, false},
                                   std::nullopt,
                                   {}});
              }),
              kNoError);

    ASSERT_EQ(doc().itemCount(), 3);
    EXPECT_EQ(doc().pictureAt(0).path(), small);
    EXPECT_EQ(doc().item(1).kind, ItemKind::ParagraphMark);
    EXPECT_DOUBLE_EQ(doc().pictureAt(2).width(), 99.0);
}

TEST_F(BuiltinDocumentBuilderTest, BuildsRowsLinesAndPagesInOrder)
{
    // Seven cells of three columns, then a line break and a page break.
    for (int cell = 1; cell <= 7; ++cell) {
        builder.addCell({small,
                         {100, 120},
                         CellAdjustments{},
                         std::nullopt,
                         CellEdges{true, false, false, false}});
        if (cell % 3 == 0)
            builder.endRow();
    }
    builder.breakLine();
    builder.breakPage();
    ASSERT_EQ(doc().itemCount(), 11);
    EXPECT_EQ(doc().item(3).kind, ItemKind::ParagraphMark);
    EXPECT_EQ(doc().item(7).kind, ItemKind::ParagraphMark);
    EXPECT_EQ(doc().item(9).kind, ItemKind::LineBreak);
    EXPECT_EQ(doc().item(10).kind, ItemKind::PageBreak);

    const DocumentLayout layout = layoutDocument(doc());
    ASSERT_EQ(layout.pages.size(), 2);
    const auto& lines = layout.pages[0].lines;
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0].pictures.size(), 3);
    EXPECT_EQ(lines[1].pictures.size(), 3);
    EXPECT_EQ(lines[2].pictures.size(), 1);
    EXPECT_DOUBLE_EQ(lines[2].top, 340.0);
}

TEST_F(BuiltinDocumentBuilderTest, GivesEachDocumentItsMarginsAndRefusesMarginsOutOfRange)
{
    EXPECT_EQ(doc().textArea().topLeft(), QPointF(100, 100));
    EXPECT_NEAR(doc().textArea().width(), 300, 1e-4); // margins pass through single precision
    EXPECT_NEAR(doc().textArea().height(), 400, 1e-4);
    const auto first = builder.currentDocument();
    const auto second = builder.beginDocument(QMarginsF(19.845, 19.845, 17.01, 45.36));
    EXPECT_NE(second, first);
    EXPECT_EQ(builder.currentDocument(), second);
    EXPECT_EQ(doc().margins(), QMarginsF(19.845f, 19.845f, 17.01f, 45.36f));
    EXPECT_NE(errorOf([&] { builder.beginDocument(QMarginsF(0, 1e9, 0, 0)); }), kNoError);
}

TEST_F(BuiltinDocumentBuilderTest, NeedsADocumentAndReadsOnlyPicturesNotReadBefore)
{
    BuiltinDocumentBuilder fresh;
    EXPECT_EQ(errorOf([&] {
                  fresh.addCell({small, {10, 10}, std::nullopt, std::nullopt, {}});
              }),
              QStringLiteral("No document is open"));
    EXPECT_EQ(errorOf([&] { fresh.endRow(); }), QStringLiteral("No document is open"));

    // A size read before (on a worker) is taken as it is; the file is not opened again.
    const QString gone = dir.filePath(QStringLiteral("gone.jpg"));
    builder.addCell({gone, {10, 10}, std::nullopt, std::nullopt, {}, QSizeF(150, 75)});
    EXPECT_EQ(doc().pictureAt(0).ownSize(), QSizeF(150, 75));
    EXPECT_TRUE(errorOf([&] {
                    cellPictureSize(gone);
                }).startsWith(QStringLiteral("Cannot insert picture %1: ").arg(gone)));
    EXPECT_EQ(cellPictureSize(small), QSizeF(150, 75));
}

TEST(InlinePicture, CropShrinksTheDisplayedSizeAndLaterSizingStretchesTheRest)
{
    InlinePicture picture = pictureOfSize(150, 75);
    picture.setCrop(CropSide::Left, 30);
    EXPECT_DOUBLE_EQ(picture.width(), 120.0);
    EXPECT_DOUBLE_EQ(picture.height(), 75.0);
    picture.setCrop(CropSide::Top, 15);
    EXPECT_DOUBLE_EQ(picture.height(), 60.0);

    // At 50 % a further crop of 30 points of the picture takes 15 points off the display.
    picture.setWidth(60);
    picture.setCrop(CropSide::Right, 30);
    EXPECT_DOUBLE_EQ(picture.width(), 45.0);

    // Width and height are set each alone, without keeping the aspect.
    picture.setWidth(100);
    picture.setHeight(200);
    EXPECT_DOUBLE_EQ(picture.width(), 100.0);
    EXPECT_DOUBLE_EQ(picture.height(), 200.0);

    // 100 % is now the picture less its crop.
    picture.setScaleWidth(100);
    EXPECT_DOUBLE_EQ(picture.width(), 90.0);
    const QRectF share = picture.visibleShare();
    EXPECT_DOUBLE_EQ(share.left(), 0.2);
    EXPECT_DOUBLE_EQ(share.right(), 0.8);
    EXPECT_DOUBLE_EQ(share.top(), 0.2);
    EXPECT_DOUBLE_EQ(share.bottom(), 1.0);
}

TEST(InlinePicture, CropsBeyondThePictureLeaveNothingButTheSetSize)
{
    // Profiles of 60 % left and 60 % right: the second crop gets only what is left.
    InlinePicture picture = pictureOfSize(600, 800);
    picture.setCrop(CropSide::Left, 360);
    picture.setCrop(CropSide::Right, 360);
    EXPECT_DOUBLE_EQ(picture.crop().right, 240);
    EXPECT_DOUBLE_EQ(picture.width(), 0.0);
    EXPECT_TRUE(picture.visibleShare().isEmpty());
    picture.setWidth(182.3);
    EXPECT_DOUBLE_EQ(picture.width(), 182.3);

    picture.setCrop(CropSide::Top, -5); // nothing is added to a picture
    EXPECT_DOUBLE_EQ(picture.crop().top, 0.0);
    EXPECT_DOUBLE_EQ(picture.height(), 800.0);
}

TEST(InlinePicture, RefusesValuesOutOfRangeAndKeepsItsState)
{
    const struct {
        const char* name;
        std::function<void(InlinePicture&)> change;
    } cases[] = {
        {"negative width", [](InlinePicture& p) { p.setWidth(-1); }},
        {"width beyond 22 inches", [](InlinePicture& p) { p.setHeight(1584.5); }},
        {"not a number", [](InlinePicture& p) { p.setWidth(std::nan("")); }},
        {"zero scale", [](InlinePicture& p) { p.setScaleWidth(0); }},
        {"scale beyond the largest size", [](InlinePicture& p) { p.setScaleHeight(100000); }},
        {"brightness above 1", [](InlinePicture& p) { p.setBrightness(1.01); }},
        {"contrast below 0", [](InlinePicture& p) { p.setContrast(-0.1); }},
        {"colour type 4", [](InlinePicture& p) { p.setColorType(static_cast<ColorType>(4)); }},
        {"dotted border", [](InlinePicture& p) { p.setBorder(BorderEdge::Top, 2, 2); }},
        {"border width 3", [](InlinePicture& p) { p.setBorder(BorderEdge::Top, 1, 3); }},
        {"border item 5", [](InlinePicture& p) { p.setBorder(static_cast<BorderEdge>(5), 1, 2); }},
        {"infinite crop", [](InlinePicture& p) { p.setCrop(CropSide::Left, INFINITY); }},
    };
    for (const auto& c : cases) {
        InlinePicture picture = pictureOfSize(100, 50);
        EXPECT_THROW(c.change(picture), common::Error) << c.name;
        EXPECT_EQ(picture.size(), QSizeF(100, 50)) << c.name;
        EXPECT_EQ(picture.brightness(), 0.5) << c.name;
        EXPECT_EQ(picture.contrast(), 0.5) << c.name;
        EXPECT_FALSE(picture.border(BorderEdge::Top).isVisible()) << c.name;
    }
}
