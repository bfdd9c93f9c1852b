#include "document/PackagePage.h"

#include "common/Error.h"
#include "document/PageGeometry.h"

#include <algorithm>

namespace pagula::document
{

namespace
{

// Room left beyond our lines and pages, which LibreOffice needs to keep a line or page that
// fills its text area exactly (found by trial: half a point is not always enough).
constexpr double Slack = 0.75;

// The most a grid may run over the sheet's edge and still be moved onto it: what 2.835 points
// to the millimetre add over a sheet's length (0.1 point), with room to spare.
constexpr double Overrun = 0.25;

// LibreOffice rounds every picture on a line, and every line on a page, to whole twips, and
// sometimes adds a twip to a framed picture, so a long line or a full page needs more room
// than Slack. Where the sheet does not leave that room within the displacement below (well
// inside the half millimetre by which a word processor's page may differ from ours), it would
// wrap a line or push a row onto the next page: such a file is refused.
constexpr double Twip = 0.05;
constexpr double MostDisplacement = 1.2;

constexpr double MillimetresPerPoint = 1.0 / PointsPerMm;

// Where the content lies along one axis of the sheet, and where it has to go.
struct Axis {
    double nearMargin; // ours, may be below zero
    double farMargin;  // ours
    double extent;     // of the longest line or the fullest page
    double sheet;      // length of the sheet
    int items;         // most pictures on a line, or lines on a page
    const char* nearSide;
    const char* farSide;
};

struct Fit {
    double nearMargin;
    double farMargin;
    double scale = 1.0;
};

[[noreturn]] void refuseTooClose(const char* side, double needed)
{
    throw common::Error(
        QStringLiteral("The pictures reach to within %1 mm of the %2 edge of the page, "
                       "closer than a word processor can hold: make the %2 margin at "
                       "least 1 mm or use PDF")
            .arg(std::max(0.0, needed) * MillimetresPerPoint, 0, 'f', 1)
            .arg(QLatin1String(side)));
}

[[noreturn]] void refuse(const char* side, double over)
{
    throw common::Error(
        QStringLiteral("The pictures run %1 mm over the %2 edge of the page, which a word "
                       "processor cannot show: make the %2 margin larger or the cells "
                       "smaller")
            .arg(over * MillimetresPerPoint, 0, 'f', 1)
            .arg(QLatin1String(side)));
}

Fit fit(const Axis& a)
{
    if (a.extent <= 0.0) // nothing to place
        return {std::max(0.0, a.nearMargin), std::max(0.0, a.farMargin)};
    if (a.nearMargin < -Overrun)
        refuse(a.nearSide, -a.nearMargin);
    Fit f{std::max(0.0, a.nearMargin), 0.0};
    const double over = f.nearMargin + a.extent - a.sheet;
    if (over > Overrun)
        refuse(a.farSide, over);
    if (a.sheet - f.nearMargin - a.extent - Slack - a.items * Twip < -MostDisplacement)
        refuseTooClose(a.farSide, a.sheet - f.nearMargin - a.extent);
    const double room = a.sheet - f.nearMargin - a.extent - Slack;
    if (room >= 0.0) {
        f.farMargin = std::clamp(a.farMargin, 0.0, room);
        return f;
    }
    const double shift = std::min(-room, f.nearMargin);
    f.nearMargin -= shift;
    if (shift < -room)
        f.scale = (a.sheet - f.nearMargin - Slack) / a.extent;
    return f;
}

} // namespace

PackagePage packagePage(const Document& document, const DocumentLayout& layout)
{
    const QRectF area = document.textArea();
    double width = 0.0;
    double height = 0.0;
    int pictures = 0;
    int lines = 0;
    for (const LaidOutPage& page : layout.pages) {
        lines = std::max(lines, int(page.lines.size()));
        for (const LaidOutLine& line : page.lines) {
            pictures = std::max(pictures, int(line.pictures.size()));
            height = std::max(height, line.top + line.height - area.top());
            for (const PlacedPicture& picture : line.pictures)
                width = std::max(width, picture.box.right() - area.left());
        }
    }
    const QMarginsF ours = document.margins();
    const QSizeF sheet = document.pageSize();
    const Fit across =
        fit({ours.left(), ours.right(), width, sheet.width(), pictures, "left", "right"});
    const Fit down =
        fit({ours.top(), ours.bottom(), height, sheet.height(), lines, "top", "bottom"});
    PackagePage page;
    page.margins = QMarginsF(across.nearMargin, down.nearMargin, across.farMargin, down.farMargin);
    page.widthScale = across.scale;
    page.heightScale = down.scale;
    return page;
}

PackagePage packagePage(const Document& document)
{
    return packagePage(document, layoutDocument(document));
}

} // namespace pagula::document
