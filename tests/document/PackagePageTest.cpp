#include "document/PackagePage.h"
#include "common/Error.h"
#include "document/FlowLayout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pagula;
using namespace pagula::document;

namespace
{

constexpr double PointsPerMm = 2.835; // as the composition counts
constexpr double Tolerance = 0.5 * 72.0 / 25.4;

// A grid (3 x 3 unless asked) at the largest cell size for the user's margins (mm), with the
// margins the composition gives the document: the bottom and right ones 4 mm less.
Document grid(int left, int right, int top, int bottom, int columns = 3)
{
    Document doc;
    doc.setLeftMargin(left * PointsPerMm);
    doc.setTopMargin(top * PointsPerMm);
    doc.setRightMargin((right - 4) * PointsPerMm);
    doc.setBottomMargin((bottom - 4) * PointsPerMm);
    const double w = (210.0 - left - right) / columns * PointsPerMm;
    const double h = (297 - top - bottom) / 3.0 * PointsPerMm;
    for (int i = 0; i < 3 * columns; ++i) {
        doc.insertPicture(doc.itemCount(), InlinePicture(QStringLiteral("x"), {w, h}, true, false));
        if (i % columns == columns - 1)
            doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    }
    return doc;
}

TEST(PackagePage, HoldsEveryGridOnTheSheetWhereWeDrawIt)
{
    const struct {
        int left, right, top, bottom;
        const char* refused; // the margin the message names, or none
    } cases[] = {
        {7, 10, 7, 20, nullptr}, {7, 10, 7, 0, nullptr}, {0, 0, 7, 20, nullptr},
        {0, 0, 0, 0, nullptr},   {30, 2, 1, 3, nullptr}, {7, 10, 7, -3, "bottom"},
        {-2, 10, 7, 20, "left"}, {7, 10, -1, 20, "top"}, {7, -5, 7, 20, "right"},
    };
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.left) + "," + std::to_string(c.right) + "," +
                                 std::to_string(c.top) + "," + std::to_string(c.bottom);
        const Document doc = grid(c.left, c.right, c.top, c.bottom);
        const DocumentLayout layout = layoutDocument(doc);
        ASSERT_EQ(layout.pages.size(), 1) << name;
        if (c.refused) {
            try {
                packagePage(doc, layout);
                ADD_FAILURE() << name << ": not refused";
            } catch (const common::Error& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("the %1 margin").arg(c.refused)))
                    << name << ": " << e.what();
            }
            continue;
        }
        const PackagePage page = packagePage(doc, layout);
        const QMarginsF m = page.margins;
        EXPECT_GE(std::min({m.left(), m.top(), m.right(), m.bottom()}), 0.0) << name;
        EXPECT_LE(1.0 - std::min(page.widthScale, page.heightScale), 0.002) << name;
        // Where a word processor puts the pictures with these margins and sizes.
        const QList<PlacedPicture> ours = layout.pages[0].pictures();
        const double w = ours[0].box.width() * page.widthScale;
        const double h = ours[0].box.height() * page.heightScale;
        for (int i = 0; i < ours.size(); ++i) {
            const QRectF theirs(m.left() + (i % 3) * w, m.top() + (i / 3) * h, w, h);
            EXPECT_NEAR(theirs.left(), ours[i].box.left(), Tolerance) << name << " #" << i;
            EXPECT_NEAR(theirs.right(), ours[i].box.right(), Tolerance) << name << " #" << i;
            EXPECT_NEAR(theirs.top(), ours[i].box.top(), Tolerance) << name << " #" << i;
            EXPECT_NEAR(theirs.bottom(), ours[i].box.bottom(), Tolerance) << name << " #" << i;
        }
        // Its text area holds a row and the page with room for rounding.
        EXPECT_GT(doc.pageSize().width() - m.left() - m.right(), 3 * w + 0.5) << name;
        EXPECT_GT(doc.pageSize().height() - m.top() - m.bottom(), 3 * h + 0.5) << name;
        // Margins that leave room are kept.
        if (c.left > 0 && c.right >= 4 && c.top > 0 && c.bottom >= 4) {
            EXPECT_EQ(m, doc.margins()) << name;
        }
    }
}

// Many pictures on a line each round on their own in a word processor: at the sheet's very
// edge the line would wrap, so such a file is refused, while a millimetre of margin holds it.
TEST(PackagePage, ALongLineAtTheSheetsEdgeIsRefused)
{
    const struct {
        int columns, right;
        bool refused;
    } cases[] = {{3, 0, false}, {15, 0, true}, {30, 0, true}, {15, 1, false}, {30, 1, false}};
    for (const auto& c : cases) {
        const Document doc = grid(0, c.right, 7, 20, c.columns);
        const std::string name =
            std::to_string(c.columns) + " columns, right " + std::to_string(c.right);
        try {
            packagePage(doc);
            EXPECT_FALSE(c.refused) << name << ": not refused";
        } catch (const common::Error& e) {
            EXPECT_TRUE(c.refused) << name << ": " << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("the right margin"))) << e.what();
        }
    }
}

TEST(PackagePage, AnEmptyDocumentIsNeverRefused)
{
    Document doc;
    doc.setLeftMargin(-20);
    doc.setBottomMargin(-20);
    const PackagePage page = packagePage(doc);
    EXPECT_EQ(page.margins.left(), 0.0);
    EXPECT_EQ(page.margins.bottom(), 0.0);
}

} // namespace
