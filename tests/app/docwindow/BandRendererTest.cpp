#include "app/docwindow/BandRenderer.h"

#include "DocWindowTestSupport.h"

#include "document/FlowLayout.h"
#include "document/PageRenderer.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::docwindow;
using namespace pagula::docwindow::test;

namespace
{

class BandRendererTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        grid = makeColourGrid(dir.path());
        doc = gridDocument(grid.paths, 3, {GridCellWidth, GridCellHeight});
        // Quarter-point frames, so strip edges that cut through lines show up.
        for (int i = 0; i < doc->itemCount(); ++i) {
            if (doc->item(i).kind != document::ItemKind::Picture)
                continue;
            for (auto edge : {document::BorderEdge::Top, document::BorderEdge::Left,
                              document::BorderEdge::Bottom, document::BorderEdge::Right})
                doc->pictureAt(i).setBorder(edge, document::LineStyleSingle,
                                            document::LineWidthQuarterPoint);
        }
        layout = document::layoutDocument(*doc);
        ASSERT_EQ(layout.pages.size(), 1);
    }

    QTemporaryDir dir;
    ColourGrid grid;
    std::shared_ptr<document::Document> doc;
    document::DocumentLayout layout;
};

TEST_F(BandRendererTest, StripsPutTogetherAreTheWholePage)
{
    for (double dpi : {72.0, 96.0, 150.0}) {
        const QImage whole = document::renderPageImage(*doc, layout.pages[0], dpi);
        const double scale = dpi / 72.0;
        QImage joined(whole.size(), QImage::Format_RGB32);
        joined.fill(Qt::magenta);
        QPainter painter(&joined);
        // Strip edges at odd rows, through pictures and through frame lines alike.
        for (int top = 0; top < whole.height(); top += 173) {
            BandRequest request;
            request.scale = scale;
            request.pageWidth = whole.width();
            request.top = top;
            request.bottom = std::min(top + 173, whole.height());
            const QImage band = renderBand(*doc, layout.pages[0], request, {}, nullptr);
            ASSERT_EQ(band.size(), QSize(whole.width(), request.bottom - top));
            painter.drawImage(0, top, band);
        }
        painter.end();
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x)
                differing += joined.pixel(x, y) != whole.pixel(x, y);
        }
        EXPECT_EQ(differing, 0) << dpi << " dpi";
    }
}

TEST_F(BandRendererTest, OnlyPicturesReachingIntoTheStripAreDecoded)
{
    const auto& lines = layout.pages[0].lines;
    ASSERT_EQ(lines.size(), 3);
    RecordingDecoder recorder;
    BandRequest request; // scale 1: pixels are points
    request.pageWidth = 595;
    request.top = static_cast<int>(lines[1].top) + 10;
    request.bottom = static_cast<int>(lines[1].top + lines[1].height) - 10;
    const QImage band = renderBand(*doc, layout.pages[0], request, recorder.decoder(), nullptr);
    QStringList decoded = recorder.decodedPaths();
    decoded.sort();
    EXPECT_EQ(decoded, grid.paths.mid(3, 3));
    // The middle picture of the middle row, in its own colour.
    const QPoint centre(static_cast<int>(20 + 1.5 * GridCellWidth), band.height() / 2);
    EXPECT_EQ(band.pixelColor(centre), grid.colours[4]);
}

TEST_F(BandRendererTest, AFailingPictureIsReportedAndDrawnAsThePlaceholder)
{
    ASSERT_TRUE(QFile::remove(grid.paths[0]));
    BandRequest request;
    request.pageWidth = 595;
    request.top = 0;
    request.bottom = 200;
    QList<document::PictureFailure> failures;
    const QImage band = renderBand(*doc, layout.pages[0], request, {}, &failures);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].path, grid.paths[0]);
    EXPECT_EQ(band.pixelColor(60, 100),
              QColor(document::PlaceholderFillGrey, document::PlaceholderFillGrey,
                     document::PlaceholderFillGrey));
    EXPECT_EQ(band.pixelColor(static_cast<int>(20 + 1.5 * GridCellWidth), 100), grid.colours[1]);
}

TEST_F(BandRendererTest, HighDensityScreensGetDevicePixels)
{
    BandRequest request;
    request.scale = 1.0;
    request.devicePixelRatio = 2.0;
    request.pageWidth = 595;
    request.top = 10;
    request.bottom = 110;
    const QImage band = renderBand(*doc, layout.pages[0], request, {}, nullptr);
    EXPECT_EQ(band.size(), QSize(1190, 200));
    EXPECT_EQ(band.devicePixelRatio(), 2.0);
    // Point (110, 60) of the page is row 50 of the strip in logical pixels, 100 in device ones.
    EXPECT_EQ(band.pixelColor(220, 100), grid.colours[0]);
}

} // namespace
