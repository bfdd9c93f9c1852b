#include "imaging/PageLayout.h"

#include "imaging/InkMask.h"
#include "imaging/PaperOutline.h"
#include "imaging/PictureWarp.h"
#include "imaging/SkewAngle.h"
#include "imaging/TextBlock.h"

#include <leptonica/allheaders.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace pagula::imaging
{

namespace
{

constexpr int minCopySide = 48;
// The pad kept around the print, as a share of the page's shorter side.
constexpr double contentPad = 0.02;
// Turns smaller than this are left alone.
constexpr double minTurn = 0.05;
constexpr double pi = 3.14159265358979323846;
// The paper is as bright as the brightest tenth of the page; figures stay below this share of
// it.
constexpr double paperShare = 0.1;
constexpr double figureLevel = 0.85;

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

// What is clearly darker than the page's paper, unevened: print, and figures of any size, as a
// Leptonica 1-bit picture (1 = dark).
PixPtr darkAreas(const QImage& grey)
{
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8)
        return {};
    std::array<qint64, 256> histogram{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ++histogram[line[x]];
    }
    // The paper is the brightness of the brightest part of the page.
    const qint64 total = qint64(grey.width()) * grey.height();
    qint64 brighter = 0;
    int paper = 255;
    while (paper > 0 && (brighter += histogram[size_t(paper)]) < paperShare * total)
        --paper;
    const PixPtr pix = toPix(grey);
    return pix ? adopt(pixThresholdToBinary(pix.get(), int(figureLevel * paper))) : PixPtr();
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
                          QSize pictureSize, const LayoutQuestions& questions)
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
    // A large flat figure printed on the page (a diagram, a photograph) is too large for the
    // paper map to close over: the map takes it for paper in shadow, and evened it is white but
    // for its rim. Unevened it is darker than the paper around it, and clear of the page's
    // edges, where shadows and the table reach in.
    PixPtr content =
        questions.findContent ? darkAreas(warpPicture(copy, copyToPage, pageInCopy)) : PixPtr();
    if (content)
        content = adopt(pixRemoveBorderConnComps(content.get(), 8));
    if (content)
        pixOr(content.get(), content.get(), ink.get());

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
            const double pad = contentPad * std::min(layout.page.width(), layout.page.height());
            layout.content = inPage.adjusted(-pad, -pad, pad, pad).intersected(layout.page);
        }
    }
    return layout;
}

} // namespace pagula::imaging
