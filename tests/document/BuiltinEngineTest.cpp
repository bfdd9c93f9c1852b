#include "DocumentTestSupport.h"

#include "common/Error.h"
#include "document/BuiltinEngine.h"
#include "document/FlowLayout.h"
#include "document/PageGeometry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

class BuiltinEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // 96 dpi: 200 x 100 pixels are 150 x 75 points, 1600 x 1200 are 1200 x 900.
        small = savePictureFile(solidImage({200, 100}, Qt::red), dir.filePath("small.jpg"));
        large = savePictureFile(solidImage({1600, 1200}, Qt::blue), dir.filePath("large.jpg"));
        engine.addDocument();
        // A text area of 300 x 400 points.
        engine.setLeftMargin(100);
        engine.setRightMargin(static_cast<float>(A4WidthPoints - 400));
        engine.setTopMargin(100);
        engine.setBottomMargin(static_cast<float>(A4HeightPoints - 500));
        collapseToEnd();
    }

    void collapseToEnd()
    {
        engine.selectWholeDocument();
        const int end = engine.rangeEnd();
        engine.setRange(end, end);
    }

    // Adds a picture at the end and leaves the range over the whole document, as the
    // composition does before it addresses the new picture by number.
    void addAtEnd(const QString& path)
    {
        collapseToEnd();
        engine.addPicture(path, true, false);
        engine.selectWholeDocument();
    }

    Document& doc() { return *engine.currentDocument(); }

    QTemporaryDir dir;
    QString small;
    QString large;
    BuiltinEngine engine;
};

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST_F(BuiltinEngineTest, InsertsAtOwnSizeAndScalesLargePicturesDownToTheTextArea)
{
    addAtEnd(small);
    EXPECT_FLOAT_EQ(engine.width(1), 150.0f);
    EXPECT_FLOAT_EQ(engine.height(1), 75.0f);

    addAtEnd(large); // 1200 x 900 into 300 x 400: a quarter, aspect kept
    EXPECT_FLOAT_EQ(engine.width(2), 300.0f);
    EXPECT_FLOAT_EQ(engine.height(2), 225.0f);

    engine.setScaleHeight(2, 100);
    engine.setScaleWidth(2, 100);
    EXPECT_FLOAT_EQ(engine.width(2), 1200.0f);
    EXPECT_FLOAT_EQ(engine.height(2), 900.0f);

    const InlinePicture& picture = doc().pictureAt(1);
    EXPECT_EQ(picture.path(), large);
    EXPECT_TRUE(picture.linkToFile());
    EXPECT_FALSE(picture.saveWithDocument());
}

TEST_F(BuiltinEngineTest, CropShrinksTheDisplayedSizeAndLaterSizingStretchesTheRest)
{
    addAtEnd(small); // 150 x 75
    engine.setScaleHeight(1, 100);
    engine.setScaleWidth(1, 100);

    engine.setCrop(1, CropSide::Left, 30);
    EXPECT_FLOAT_EQ(engine.width(1), 120.0f);
    EXPECT_FLOAT_EQ(engine.height(1), 75.0f);
    engine.setCrop(1, CropSide::Top, 15);
    EXPECT_FLOAT_EQ(engine.height(1), 60.0f);

    // At 50 % a further crop of 30 points of the picture takes 15 points off the display.
    engine.setWidth(1, 60);
    engine.setCrop(1, CropSide::Right, 30);
    EXPECT_FLOAT_EQ(engine.width(1), 45.0f);

    // Width and height are set each alone, without keeping the aspect.
    engine.setWidth(1, 100);
    engine.setHeight(1, 200);
    EXPECT_FLOAT_EQ(engine.width(1), 100.0f);
    EXPECT_FLOAT_EQ(engine.height(1), 200.0f);

    // 100 % is now the picture less its crop.
    engine.setScaleWidth(1, 100);
    EXPECT_FLOAT_EQ(engine.width(1), 90.0f);
    const QRectF share = doc().pictureAt(0).visibleShare();
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
        EXPECT_THROW(c.change(picture), Error) << c.name;
        EXPECT_EQ(picture.size(), QSizeF(100, 50)) << c.name;
        EXPECT_EQ(picture.brightness(), 0.5) << c.name;
        EXPECT_EQ(picture.contrast(), 0.5) << c.name;
        EXPECT_FALSE(picture.border(BorderEdge::Top).isVisible()) << c.name;
    }
}

TEST_F(BuiltinEngineTest, SetsPictureFormatAndOnlyTheRequestedBorderEdges)
{
    addAtEnd(small);
    engine.setBrightness(1, 0.0f);
    engine.setContrast(1, 0.75f);
    engine.setColorType(1, ColorType::BlackAndWhite);
    engine.setBorder(1, BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
    engine.setBorder(1, BorderEdge::Right, LineStyleSingle, LineWidthQuarterPoint);

    const InlinePicture& p = doc().pictureAt(0);
    const imaging::Adjustments a = p.adjustments();
    EXPECT_EQ(a.brightness, 0.0);
    EXPECT_EQ(a.contrast, 0.75);
    EXPECT_EQ(a.colorMode, imaging::ColorMode::BlackAndWhite);
    EXPECT_EQ(p.border(BorderEdge::Top), (BorderLine{1, 2}));
    EXPECT_EQ(p.border(BorderEdge::Right), (BorderLine{1, 2}));
    EXPECT_FALSE(p.border(BorderEdge::Left).isVisible());
    EXPECT_FALSE(p.border(BorderEdge::Bottom).isVisible());
    EXPECT_DOUBLE_EQ(p.border(BorderEdge::Top).widthPoints(), 0.25);
}

TEST_F(BuiltinEngineTest, NumbersPicturesInDocumentOrderWithinTheRange)
{
    addAtEnd(small);
    engine.insertAfter(QString(QChar(ParagraphMark)));
    addAtEnd(large);
    addAtEnd(small);
    // Items: picture, paragraph mark, picture, picture.
    EXPECT_EQ(engine.pictureCount(), 3);
    EXPECT_FLOAT_EQ(engine.width(2), 300.0f);

    engine.setRange(1, 4);
    EXPECT_EQ(engine.pictureCount(), 2);
    EXPECT_FLOAT_EQ(engine.width(1), 300.0f); // the large one is the first of this range
    EXPECT_FLOAT_EQ(engine.width(2), 150.0f);

    for (const int n : {0, 3, -1}) {
        EXPECT_EQ(errorOf([&] { engine.width(n); }),
                  QStringLiteral("The requested member of the collection does not exist"))
            << n;
    }
}

TEST_F(BuiltinEngineTest, AFailedInsertionNamesTheFileAndKeepsEverythingPlacedBefore)
{
    addAtEnd(small);
    engine.insertAfter(QString(QChar(ParagraphMark)));
    addAtEnd(large);
    engine.setWidth(2, 99);

    QFile text(dir.filePath("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not the pixels you are looking for\n");
    text.close();
    QFile empty(dir.filePath("empty.bmp"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    const QString missing = dir.filePath("missing.jpg");
    for (const QString& path : {missing, text.fileName(), empty.fileName(), dir.path()}) {
        collapseToEnd();
        const QString message = errorOf([&] { engine.addPicture(path, true, false); });
        const QString prefix = QStringLiteral("Cannot insert picture %1: ").arg(path);
        EXPECT_TRUE(message.startsWith(prefix)) << message.toStdString();
        EXPECT_GT(message.size(), prefix.size()) << "no reason given for " << path.toStdString();
    }
    EXPECT_EQ(
        errorOf([&] { engine.addPicture(missing, true, false); }),
        QStringLiteral("Cannot insert picture %1: Cannot open file %1: No such file or directory")
            .arg(missing));

    ASSERT_EQ(doc().itemCount(), 3);
    EXPECT_EQ(doc().pictureAt(0).path(), small);
    EXPECT_EQ(doc().item(1).kind, ItemKind::ParagraphMark);
    EXPECT_DOUBLE_EQ(doc().pictureAt(2).width(), 99.0);
}

TEST_F(BuiltinEngineTest, InsertsControlCharactersBehindTheRangeAndRefusesOtherText)
{
    engine.insertAfter(QStringLiteral("\r\v\f"));
    EXPECT_EQ(engine.rangeEnd(), 3);
    EXPECT_EQ(engine.rangeStart(), 0);
    EXPECT_FALSE(errorOf([&] { engine.insertAfter(QStringLiteral("\rA")); }).isEmpty());
    ASSERT_EQ(doc().itemCount(), 3);
    EXPECT_EQ(doc().item(0).kind, ItemKind::ParagraphMark);
    EXPECT_EQ(doc().item(1).kind, ItemKind::LineBreak);
    EXPECT_EQ(doc().item(2).kind, ItemKind::PageBreak);

    engine.setRange(-5, 99); // pulled back into the document
    EXPECT_EQ(engine.rangeStart(), 0);
    EXPECT_EQ(engine.rangeEnd(), 3);
}

TEST_F(BuiltinEngineTest, BuildsTheRowsThatTheCompositionAsksFor)
{
    // Seven cells of three columns in the order of operations the composition uses.
    for (int cell = 1; cell <= 7; ++cell) {
        collapseToEnd();
        engine.addPicture(small, true, false);
        engine.selectWholeDocument();
        engine.setBrightness(cell, 0.5f);
        engine.setBorder(cell, BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
        engine.setWidth(cell, 100);
        engine.setHeight(cell, 120);
        collapseToEnd();
        if (cell % 3 == 0) {
            engine.insertAfter(QString(QChar(ParagraphMark)));
            collapseToEnd();
        }
    }
    const DocumentLayout layout = layoutDocument(doc());
    ASSERT_EQ(layout.pages.size(), 1);
    const auto& lines = layout.pages[0].lines;
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].pictures.size(), 3);
    EXPECT_EQ(lines[1].pictures.size(), 3);
    EXPECT_EQ(lines[2].pictures.size(), 1);
    EXPECT_DOUBLE_EQ(lines[2].top, 340.0);
}

TEST_F(BuiltinEngineTest, HandsDocumentsToTheHandlerOnceEachInOrder)
{
    engine.releaseDocument();
    EXPECT_EQ(errorOf([&] { engine.addPicture(small, true, false); }),
              QStringLiteral("No document is open"));
    engine.addDocument();

    std::vector<std::shared_ptr<Document>> shown;
    engine.showAndActivate(); // no handler yet: both documents wait
    engine.setDocumentHandler([&](std::shared_ptr<Document> d) { shown.push_back(d); });
    engine.showAndActivate();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], engine.documents()[0]);
    EXPECT_EQ(shown[1], engine.documents()[1]);

    engine.addDocument();
    engine.showAndActivate();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], engine.currentDocument());
    engine.showAndActivate();
    EXPECT_EQ(shown.size(), 3u);
}
