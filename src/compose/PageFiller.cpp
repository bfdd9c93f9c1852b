#include "compose/PageFiller.h"

#include "compose/CellPlacer.h"
#include "compose/EntryOrder.h"
#include "compose/PageGeometry.h"

#include <algorithm>

namespace pagula::compose
{

namespace
{

// Mirrors the gutter side left <-> right (top and bottom stay).
void flipGutterSide(CompositionSettings& settings)
{
    const GutterSide side = settings.gutterSide();
    if (layout::mirroredGutterSide(side) != side)
        settings.setGutterSide(layout::mirroredGutterSide(side));
}

// Restores the mirrored gutter side when the walk ends, however it ends.
class BackSideGuard
{
public:
    BackSideGuard(CompositionSettings& settings, bool active) : settings_(settings), active_(active)
    {
        if (active_)
            flipGutterSide(settings_);
    }
    ~BackSideGuard()
    {
        if (!active_)
            return;
        try {
            flipGutterSide(settings_);
        } catch (...) {
            // The selection's own handlers report their failures; the walk's outcome stands.
        }
    }
    BackSideGuard(const BackSideGuard&) = delete;
    BackSideGuard& operator=(const BackSideGuard&) = delete;

private:
    CompositionSettings& settings_;
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

void fillPages(Session& s, joblist::JobEntries& entries, bool backSide)
{
    CompositionSettings& set = s.settings;
    s.cellNumber = 1;

    const int count = int(entries.size());
    s.host.setProgressPosition(0);
    s.host.setProgressRange(0, set.gutterSize() != 0 ? count * 2 : count);
    s.host.repaintProgress();

    const double cellWidth = set.cellWidth();
    const double cellHeight = set.cellHeight();
    const int gutterSize = set.gutterSize();
    double W = cellWidth * PointsPerMm;
    double H = cellHeight * PointsPerMm;
    const double G = gutterSize * PointsPerMm;
    if (gutterSize != 0) {
        const GutterSide side = set.gutterSide();
        if (side == GutterSide::Left || side == GutterSide::Right)
            W = (cellWidth - gutterSize) * PointsPerMm;
        else if (side == GutterSide::Top || side == GutterSide::Bottom)
            H = (cellHeight - gutterSize) * PointsPerMm;
    }

    const BackSideGuard mirrored(set, backSide);
    const joblist::JobEntry filler = s.fillerEntry;

    // The gutter size and side, columns and rows are read at each use, so a change made while
    // the walk pumps events applies to the entries that follow; W, H and G stay.
    auto gutterIs = [&](GutterSide side) {
        return set.gutterSize() != 0 && set.gutterSide() == side;
    };
    auto breaks = [&] {
        return gridBreaks(set.columns(), set.rows(), set.gutterSide(), set.gutterSize() != 0, W, H,
                          G, s.margins);
    };
    auto isLastRow = [&](int j) {
        return (j / set.columns()) % set.rows() == set.rows() - 1 || count - j <= set.columns();
    };

    for (int i = 0; i < count; ++i) {
        if (i > 0 && i % set.columns() == 0 && (i / set.columns()) % set.rows() == 0 &&
            breaks().pageBreakAfterRows)
            s.builder.breakPage();

        if (gutterIs(GutterSide::Top) && (s.cellNumber - 1) % set.columns() == 0) {
            for (int k = 1; k <= set.columns(); ++k)
                placeCell(s, filler, false, W, G, CellEdges{true, true, false, k == set.columns()});
            if (breaks().lineBreakAfterStripRow)
                s.builder.breakLine();
        }

        const bool lastRow = isLastRow(i);
        const bool isLastColumn = i % set.columns() == set.columns() - 1 || i == count - 1;

        if (gutterIs(GutterSide::Left))
            placeCell(s, filler, false, G, H, CellEdges{true, true, lastRow, false});

        if (entries[i].isBlank())
            entries[i] = filler;
        placeCell(s, entries[i], true, W, H, CellEdges{true, true, lastRow, isLastColumn});

        if (gutterIs(GutterSide::Right))
            placeCell(s, filler, false, G, H,
                      CellEdges{true, !isLastColumn, lastRow, isLastColumn});

        // An incomplete last row (the list's end or a cancel) gets strips under its own cells
        // too: every cell carries its binding strip. Its line has room left, so the strips need
        // a line break of their own.
        const bool rowComplete = (s.cellNumber - 1) % set.columns() == 0;
        const bool incompleteLastRow =
            !rowComplete && (i == count - 1 || s.dialog.cancelFlag() == CancelFlag::Cancelled);
        if (gutterIs(GutterSide::Bottom) && (rowComplete || incompleteLastRow)) {
            if (incompleteLastRow || breaks().lineBreakAfterStripRow)
                s.builder.breakLine();
            // Each strip cell closes the picture above it: the picture draws the line between
            // them where it is in a last row, the strip draws it otherwise.
            const int strips = rowComplete ? set.columns() : i % set.columns() + 1;
            const int rowStart = std::max(0, i - strips + 1);
            for (int k = 1; k <= strips; ++k) {
                const bool above = isLastRow(rowStart + k - 1);
                placeCell(s, filler, false, W, G, CellEdges{!above, true, above, k == strips});
            }
        }

        if (i % set.columns() == set.columns() - 1)
            s.builder.endRow();

        if (s.dialog.cancelFlag() == CancelFlag::Cancelled)
            break;
    }
}

} // namespace pagula::compose
