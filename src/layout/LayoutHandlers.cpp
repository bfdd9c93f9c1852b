#include "layout/LayoutHandlers.h"

#include "common/Conversions.h"
#include "common/Error.h"
#include "layout/CellLimits.h"

namespace pagula::layout
{

LayoutHandlers::LayoutHandlers(LayoutControls& controls, ErrorSink reportError)
    : controls_(controls), reportError_(std::move(reportError))
{
}

template <class Body> void LayoutHandlers::run(const char* name, Body&& body)
{
    if (trace_)
        trace_(name, depth_);
    ++depth_;
    try {
        body();
    } catch (...) {
        // Keep the first failure: an outer handler ending because of a nested one rethrows it.
        if (!failure_)
            failure_ = std::current_exception();
    }
    --depth_;
    if (depth_ > 0 || !failure_)
        return;
    const std::exception_ptr failure = failure_;
    failure_ = nullptr;
    QString message;
    try {
        std::rethrow_exception(failure);
    } catch (const common::Error& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    if (reportError_)
        reportError_(message);
}

void LayoutHandlers::write(LayoutEdit edit, const QString& text)
{
    controls_.setText(edit, text);
    if (failure_)
        std::rethrow_exception(failure_);
}

int LayoutHandlers::readInt(LayoutEdit edit) const
{
    return common::parseInteger(controls_.text(edit));
}

double LayoutHandlers::readFloat(LayoutEdit edit) const
{
    return common::parseTypedDecimal(controls_.text(edit));
}

void LayoutHandlers::onGridOrMarginsEdited()
{
    run("onGridOrMarginsEdited", [this] {
        LayoutSettings& s = settings_;
        s.columns = controls_.columnsPosition();
        s.rows = controls_.rowsPosition();
        s.marginLeft = readInt(LayoutEdit::MarginLeft);
        s.marginRight = readInt(LayoutEdit::MarginRight);
        s.marginTop = readInt(LayoutEdit::MarginTop);
        s.marginBottom = readInt(LayoutEdit::MarginBottom);

        s.maxCellWidth = maxCellSize(kPageWidthMm, s.marginLeft, s.marginRight, s.columns);
        write(LayoutEdit::MaxCellWidth, common::formatOneDecimal(s.maxCellWidth));
        if (clampToMaximum(s.cellWidth, s.maxCellWidth))
            write(LayoutEdit::CellWidth, controls_.text(LayoutEdit::MaxCellWidth));

        s.maxCellHeight = maxCellSize(kPageHeightMm, s.marginTop, s.marginBottom, s.rows);
        write(LayoutEdit::MaxCellHeight, common::formatOneDecimal(s.maxCellHeight));
        if (clampToMaximum(s.cellHeight, s.maxCellHeight))
            write(LayoutEdit::CellHeight, controls_.text(LayoutEdit::MaxCellHeight));

        controls_.redrawSchematic();
    });
}

void LayoutHandlers::onCellSizeEdited()
{
    run("onCellSizeEdited", [this] {
        LayoutSettings& s = settings_;
        // The written one-decimal text is read back by the nested run, so a clamp leaves the
        // rounded maximum; when that lies above the maximum the nested run clamps to the exact
        // value and writes the same text, which ends the chain.
        s.cellWidth = readFloat(LayoutEdit::CellWidth);
        if (clampToMaximum(s.cellWidth, s.maxCellWidth))
            write(LayoutEdit::CellWidth, common::formatOneDecimal(s.maxCellWidth));
        s.cellHeight = readFloat(LayoutEdit::CellHeight);
        if (clampToMaximum(s.cellHeight, s.maxCellHeight))
            write(LayoutEdit::CellHeight, common::formatOneDecimal(s.maxCellHeight));
        s.gutterSize = controls_.gutterPosition();
        controls_.redrawSchematic();
    });
}

void LayoutHandlers::stepCellSize(int senderTag, bool upArrow)
{
    run("stepCellSize", [this, senderTag, upArrow] {
        const LayoutEdit edit = senderTag == 0 ? LayoutEdit::CellWidth : LayoutEdit::CellHeight;
        // No clamp here: the edit's own change handler stores and clamps the stepped value.
        const double value = readFloat(edit) + (upArrow ? 1.0 : -1.0);
        write(edit, common::formatOneDecimal(value));
        controls_.redrawSchematic();
    });
}

void LayoutHandlers::takeMaxCellWidth()
{
    run("takeMaxCellWidth",
        [this] { write(LayoutEdit::CellWidth, controls_.text(LayoutEdit::MaxCellWidth)); });
}

void LayoutHandlers::takeMaxCellHeight()
{
    run("takeMaxCellHeight",
        [this] { write(LayoutEdit::CellHeight, controls_.text(LayoutEdit::MaxCellHeight)); });
}

} // namespace pagula::layout
