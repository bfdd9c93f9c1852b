#include "compose/PageFiller.h"

#include "compose/CellPlacer.h"
#include "compose/EntryOrder.h"
#include "compose/PageGeometry.h"
#include "compose/PicturePipeline.h"

#include <algorithm>

namespace pagula::compose
{

namespace
{

// Mirrors the gutter side for the back side's walk and ends the mirroring when the walk ends,
// however it ends.
class BackSideMirror
{
public:
    BackSideMirror(CompositionEvents& events, bool active) : events_(events), active_(active)
    {
        if (active_)
            events_.gutterSideMirrored(true);
    }
    ~BackSideMirror()
    {
        if (active_)
            events_.gutterSideMirrored(false);
    }
    BackSideMirror(const BackSideMirror&) = delete;
    BackSideMirror& operator=(const BackSideMirror&) = delete;

private:
    CompositionEvents& events_;
    bool active_;
};

} // namespace

GridBreaks gridBreaks(int columns, int rows, GutterSide gutterSide, bool gutterOn,
                      double cellWidthPt, double cellHeightPt, double gutterPt,
                      const DocumentMargins& m)
{
    const double textWidth = PageWidthPoints - m.left * PointsPerMm - (m.right - 4) * PointsPerMm;
    const double textHeight = PageHeightPoints - m.top * PointsPerMm - (m.bottom - 4) * PointsPerMm;
    const bool stripRows =
        gutterOn && (gutterSide == GutterSide::Top || gutterSide == GutterSide::Bottom);

    GridBreaks b;
    b.lineBreakAfterStripRow =
        stripRows && (columns + 1) * cellWidthPt <= textWidth + LayoutTolerancePoints;
    const double rowHeight = stripRows ? cellHeightPt + gutterPt : cellHeightPt;
    const double firstLine = gutterOn && gutterSide == GutterSide::Top ? gutterPt : cellHeightPt;
    b.pageBreakAfterRows = rows * rowHeight + firstLine <= textHeight + LayoutTolerancePoints;
    return b;
}

bool fillPages(Session& s, joblist::JobEntries& entries, bool backSide)
{
    s.cellNumber = 1;
    const CompositionSettings atStart = s.settings.now();

    const int count = int(entries.size());
    s.events.progressed(0);
    s.events.progressRangeSet(atStart.gutterSize != 0 ? count * 2 : count);

    const double cellWidth = atStart.cellWidth;
    const double cellHeight = atStart.cellHeight;
    const int gutterSize = atStart.gutterSize;
    double W = cellWidth * PointsPerMm;
    double H = cellHeight * PointsPerMm;
    const double G = gutterSize * PointsPerMm;
    if (gutterSize != 0) {
        const GutterSide side = atStart.gutterSide;
        if (side == GutterSide::Left || side == GutterSide::Right)
            W = (cellWidth - gutterSize) * PointsPerMm;
        else if (side == GutterSide::Top || side == GutterSide::Bottom)
            H = (cellHeight - gutterSize) * PointsPerMm;
    }

    const BackSideMirror mirrored(s.events, backSide);
    const PreparedPicture& filler = s.filler;

    // The gutter size and side, columns and rows are read at each use, so a change made
    // during the walk applies to the entries that follow; W, H and G stay.
    auto set = [&]() -> const CompositionSettings& { return s.settings.now(); };
    auto side = [&] {
        return backSide ? layout::mirroredGutterSide(set().gutterSide) : set().gutterSide;
    };
    auto gutterIs = [&](GutterSide wanted) { return set().gutterSize != 0 && side() == wanted; };
    auto breaks = [&] {
        return gridBreaks(set().columns, set().rows, side(), set().gutterSize != 0, W, H, G,
                          s.margins);
    };
    auto isLastRow = [&](int j) {
        return (j / set().columns) % set().rows == set().rows - 1 || count - j <= set().columns;
    };

    // The pictures are prepared ahead, each with the settings of the moment it is asked for;
    // blank entries show the filler as a picture cell.
    PicturePipeline pictures(
        count,
        [&](int i) {
            const joblist::JobEntry& entry = entries[i].isBlank() ? s.fillerEntry : entries[i];
            return pictureTask(entry, true, QSizeF(W, H), set());
        },
        s.pictureStep, s.lookAhead, s.cancel);

    for (int i = 0; i < count; ++i) {
        if (i > 0 && i % set().columns == 0 && (i / set().columns) % set().rows == 0 &&
            breaks().pageBreakAfterRows)
            s.builder.breakPage();

        if (gutterIs(GutterSide::Top) && (s.cellNumber - 1) % set().columns == 0) {
            for (int k = 1; k <= set().columns; ++k)
                placeCell(s, filler, W, G, CellEdges{true, true, false, k == set().columns});
            if (breaks().lineBreakAfterStripRow)
                s.builder.breakLine();
        }

        const bool lastRow = isLastRow(i);
        const bool isLastColumn = i % set().columns == set().columns - 1 || i == count - 1;

        if (gutterIs(GutterSide::Left))
            placeCell(s, filler, G, H, CellEdges{true, true, lastRow, false});

        if (entries[i].isBlank())
            entries[i] = s.fillerEntry;
        placeCell(s, pictures.next(), W, H, CellEdges{true, true, lastRow, isLastColumn});

        if (gutterIs(GutterSide::Right))
            placeCell(s, filler, G, H, CellEdges{true, !isLastColumn, lastRow, isLastColumn});

        // The cancel flag is read once per entry: the entry in progress is completed with its
        // strips and its row end.
        const bool stopping = s.cancel.load();

        // An incomplete last row (the list's end or a cancel) gets strips under its own cells
        // too: every cell carries its binding strip. Its line has room left, so the strips need
        // a line break of their own.
        const bool rowComplete = (s.cellNumber - 1) % set().columns == 0;
        const bool incompleteLastRow = !rowComplete && (i == count - 1 || stopping);
        if (gutterIs(GutterSide::Bottom) && (rowComplete || incompleteLastRow)) {
            if (incompleteLastRow || breaks().lineBreakAfterStripRow)
                s.builder.breakLine();
            // Each strip cell closes the picture above it: the picture draws the line between
            // them where it is in a last row, the strip draws it otherwise.
            const int strips = rowComplete ? set().columns : i % set().columns + 1;
            const int rowStart = std::max(0, i - strips + 1);
            for (int k = 1; k <= strips; ++k) {
                const bool above = isLastRow(rowStart + k - 1);
                placeCell(s, filler, W, G, CellEdges{!above, true, above, k == strips});
            }
        }

        if (i % set().columns == set().columns - 1)
            s.builder.endRow();

        if (stopping)
            return i < count - 1;
    }
    return false;
}

} // namespace pagula::compose
