#include "imaging/PageLayout.h"

#include "imaging/GreyHistogram.h"
#include "imaging/InkMask.h"
#include "imaging/PaperOutline.h"
#include "imaging/PictureWarp.h"
#include "imaging/SkewAngle.h"
#include "imaging/TextBlock.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace pagula::imaging
{

namespace
{

constexpr int minCopySide = 48;
// The pad kept around the print, as a share of the page's shorter side: a little over what the
// copy looked at can misplace the print's edge by.
constexpr double contentPadShare = 0.01;
// Turns smaller than this are left alone.
constexpr double minTurn = 0.05;
constexpr double pi = 3.14159265358979323846;
// A gutter or the rim of a lid stays below this share of the paper's brightness (a shadow
// stays above it; see GreyHistogram.h for figures).
constexpr double surroundingsLevel = 0.4;

double length(const QPointF& a, const QPointF& b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double degreesOf(const QPointF& from, const QPointF& to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / pi;
}

QPolygonF corners(const QRectF& r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

// The turn by `degrees` (clockwise as seen) about a point.
QTransform turnAbout(QPointF centre, double degrees)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-centre.x(), -centre.y());
    return t;
}

// The brightness of the page's paper, unevened: that of its brightest part.
int paperLevel(const QImage& grey)
{
    return levelOfBrightest(greyHistogram(grey), paperShare);
}

// The marks whose block is the page's content, from the page unevened and the print found on
// it evened out. A large flat figure printed on the page (a diagram, a photograph) is too large
// for the paper map to close over: the map takes it for paper in shadow, and evened it is white
// but for its rim; unevened it is darker than the paper around it and clear of the page's
// edges, where shadows and the table reach in; `flat` adds the figures found on the copy in
// colour (a pale yellow box is nearly as bright as paper). A dark gutter or the rim of a lid
// reaching in from the edge goes with whatever evening left of it nearby.
PixPtr contentMarks(const QImage& unevened, Pix* ink, Pix* flat)
{
    const PixPtr pix = unevened.format() == QImage::Format_Grayscale8 ? toPix(unevened) : PixPtr();
    if (!pix)
        return {};
    const int paper = paperLevel(unevened);
    const PixPtr dark = adopt(pixThresholdToBinary(pix.get(), int(figureShare * paper)));
    const PixPtr black = adopt(pixThresholdToBinary(pix.get(), int(surroundingsLevel * paper)));
    const PixPtr figures = dark ? adopt(pixRemoveBorderConnComps(dark.get(), 8)) : PixPtr();
    const PixPtr edge = black ? adopt(pixExtractBorderConnComps(black.get(), 8)) : PixPtr();
    if (!figures || !edge)
        return {};
    const int reach = std::max(3, std::max(unevened.width(), unevened.height()) / 40) | 1;
    const PixPtr surroundings = adopt(pixDilateBrick(nullptr, edge.get(), reach, reach));
    PixPtr content = adopt(pixOr(nullptr, figures.get(), ink));
    if (!surroundings || !content)
        return {};
    if (flat && pixSizesEqual(flat, content.get()))
        pixOr(content.get(), content.get(), flat);
    const PixPtr touching = adopt(pixAnd(nullptr, content.get(), surroundings.get()));
    const PixPtr near =
        touching ? adopt(pixSeedfillBinary(nullptr, touching.get(), content.get(), 8)) : PixPtr();
    if (!near)
        return {};
    pixSubtract(content.get(), content.get(), near.get());
    return content;
}

// A mask of the copy carried onto the page as the copy is.
PixPtr onPage(Pix* mask, const QTransform& copyToPage, const QRect& pageInCopy)
{
    if (!mask)
        return {};
    // Leptonica's set pixels are black once a picture.
    const QImage marks = fromPix(mask).convertToFormat(QImage::Format_Grayscale8);
    const PixPtr moved = toPix(warpPicture(marks, copyToPage, pageInCopy));
    return moved ? adopt(pixThresholdToBinary(moved.get(), 128)) : PixPtr();
}

// The sheet's outline unwarped into an upright rectangle as wide and tall as its sides' means.
void unwarpSheet(PageLayout& layout, bool level)
{
    const QPolygonF& q = layout.paper;
    const double width = (length(q[0], q[1]) + length(q[3], q[2])) / 2.0;
    const double height = (length(q[0], q[3]) + length(q[1], q[2])) / 2.0;
    layout.angle = (degreesOf(q[0], q[1]) + degreesOf(q[3], q[2])) / 2.0;
    if (!level) {
        layout.page = q.boundingRect();
        return;
    }
    const QRectF upright(0, 0, width, height);
    QTransform unwarp;
    if (QTransform::quadToQuad(q, corners(upright), unwarp)) {
        layout.toPage = unwarp;
        layout.page = upright;
        layout.levelled = true;
    }
}

} // namespace

PageLayout findPageLayout(const QImage& copy, int copyFactor, const PaperMap& paper,
                          QSize pictureSize, const LayoutQuestions& questions, Pix* figures)
{
    PageLayout layout;
    layout.page = QRectF(QPointF(0, 0), QSizeF(pictureSize));
    if (copy.isNull() || std::min(copy.width(), copy.height()) < minCopySide || copyFactor < 1)
        return layout;
    const QTransform toCopy = QTransform::fromScale(1.0 / copyFactor, 1.0 / copyFactor);
    const QTransform fromCopy = QTransform::fromScale(copyFactor, copyFactor);

    const QPolygonF sheet = findPaper(copy);
    if (sheet.size() == 4) {
        layout.paper = fromCopy.map(sheet);
        unwarpSheet(layout, questions.level);
    }

    // The page as the copy sees it: levelled and its paper evened out, in one pass.
    const QTransform copyToPage = fromCopy * layout.toPage * toCopy;
    const QRect pageInCopy =
        layout.levelled ? toCopy.mapRect(layout.page)
                              .toAlignedRect()
                              .intersected(copyToPage.mapRect(QRectF(copy.rect())).toAlignedRect())
                        : copy.rect();
    PaperMap copyPaper = paper;
    copyPaper.step = paper.step / copyFactor;
    // Marks touching the edge are the surroundings (a gutter, table, the rim of a lid): they go
    // before the page is turned, while they still touch it.
    const PixPtr marks = inkMask(warpPicture(copy, copyToPage, pageInCopy, copyPaper));
    const PixPtr ink = marks ? adopt(pixRemoveBorderConnComps(marks.get(), 8)) : PixPtr();
    if (!ink)
        return layout;
    const PixPtr content = questions.findContent
                               ? contentMarks(warpPicture(copy, copyToPage, pageInCopy), ink.get(),
                                              onPage(figures, copyToPage, pageInCopy).get())
                               : PixPtr();

    PixPtr levelledInk;
    if (questions.level) {
        const std::optional<double> skew = findSkew(ink.get());
        if (skew && std::abs(*skew) >= minTurn) {
            layout.toPage = layout.toPage * turnAbout(layout.page.center(), -*skew);
            layout.angle = layout.paper.isEmpty() ? *skew : layout.angle + *skew;
            layout.levelled = true;
            if (questions.findContent)
                levelledInk =
                    adopt(pixRotate(content ? content.get() : ink.get(), float(-*skew * pi / 180.0),
                                    L_ROTATE_SAMPLING, L_BRING_IN_WHITE, 0, 0));
        }
    }

    if (questions.findContent) {
        const QRect block = findTextBlock(levelledInk ? levelledInk.get()
                                          : content   ? content.get()
                                                      : ink.get());
        if (!block.isEmpty()) {
            const QRectF inPage = fromCopy.mapRect(QRectF(block).translated(pageInCopy.topLeft()));
            const double pad =
                contentPadShare * std::min(layout.page.width(), layout.page.height());
            layout.content = inPage.adjusted(-pad, -pad, pad, pad).intersected(layout.page);
            layout.contentPad = pad;
        }
    }
    return layout;
}

} // namespace pagula::imaging
