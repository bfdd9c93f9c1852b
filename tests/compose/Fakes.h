#pragma once

// Plain-data stand-ins for the main window, the progress dialog and the document builder, so
// the composition can be driven and its result read back as text.

#include "common/Error.h"
#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "document/DocumentBuilder.h"

#include <QSizeF>
#include <QStringList>
#include <functional>
#include <vector>

namespace pagula::compose::test
{

struct FakeSettings : CompositionSettings {
    bool twoSide = false;
    QStringList ticked;
    int cols = 3, rowCount = 3;
    double cellW = 64.3, cellH = 90.0;
    int mLeft = 7, mRight = 10, mTop = 7, mBottom = 20;
    int gutter = 6;
    GutterSide side = GutterSide::Left;
    QPointF offset; // mm
    int bright = 50, contr = 50;
    document::ColorType chosenColorType = document::ColorType::Greyscale;
    bool frameOn = true;
    CropProfile profile1, profile2;
    std::vector<GutterSide> gutterSideWrites;

    bool twoSided() override { return twoSide; }
    // The ticked entries, written as in the job list file.
    joblist::JobEntries tickedEntries() override
    {
        joblist::JobEntries entries;
        for (const QString& t : ticked)
            entries.append(joblist::JobEntry::fromText(t));
        return entries;
    }
    int columns() override { return cols; }
    int rows() override { return rowCount; }
    double cellWidth() override { return cellW; }
    double cellHeight() override { return cellH; }
    int marginLeft() override { return mLeft; }
    int marginRight() override { return mRight; }
    int marginTop() override { return mTop; }
    int marginBottom() override { return mBottom; }
    int gutterSize() override { return gutter; }
    GutterSide gutterSide() override { return side; }
    QPointF backOffset() override { return offset; }
    void setGutterSide(GutterSide s) override
    {
        side = s;
        gutterSideWrites.push_back(s);
    }
    int brightness() override { return bright; }
    int contrast() override { return contr; }
    document::ColorType colorType() override { return chosenColorType; }
    bool frame() override { return frameOn; }
    CropProfile cropProfile(int p) override { return p == 1 ? profile1 : profile2; }
};

struct FakeDialog : ProgressDialog {
    bool visible = false;
    CancelFlag flag;
    QStringList statuses;
    int shows = 0, closes = 0;

    void setStatus(const QString& t) override { statuses << t; }
    void show() override
    {
        flag.shown(visible);
        visible = true;
        ++shows;
    }
    void close() override
    {
        visible = false;
        ++closes;
    }
    void repaint() override {}
    int cancelFlag() const override { return flag.value(); }
};

struct FakeHost : CompositionHost {
    int minimum = -1, maximum = -1, position = -1;
    std::vector<int> positions;
    std::vector<int> maxima;
    QStringList errors, messages, informations;
    std::function<void()> onProcessEvents;
    int pumps = 0;

    void setProgressRange(int lo, int hi) override
    {
        minimum = lo;
        maximum = hi;
        maxima.push_back(hi);
    }
    void setProgressPosition(int p) override
    {
        position = p;
        positions.push_back(p);
    }
    void repaintProgress() override {}
    void processEvents() override
    {
        ++pumps;
        if (onProcessEvents)
            onProcessEvents();
    }
    void showError(const QString& t) override { errors << t; }
    void showMessage(const QString& t) override { messages << t; }
    void showInformation(const QString& t) override { informations << t; }
};

// Records the documents as built: per document its margins and its cells and marks in order.
class RecordingBuilder : public document::DocumentBuilder
{
public:
    struct Item {
        char mark = 0; // 0 for a cell, else '|' (end of row), '/' (line break), '#' (page break)
        int cell = -1;
    };
    struct Doc {
        QMarginsF margins;
        std::vector<Item> items;
        std::vector<document::Cell> cells;
    };

    std::vector<Doc> docs;
    QStringList missing;   // paths whose cells fail
    size_t handedOver = 0; // documents handed over so far

    void beginDocument(const QMarginsF& margins) override { docs.push_back(Doc{margins, {}, {}}); }
    void addCell(const document::Cell& cell) override
    {
        if (missing.contains(cell.path))
            throw pagula::common::Error(
                QStringLiteral(
                    "Cannot insert picture %1: Cannot open file %1: No such file or directory")
                    .arg(cell.path));
        doc().cells.push_back(cell);
        doc().items.push_back(Item{0, int(doc().cells.size()) - 1});
    }
    void endRow() override { doc().items.push_back(Item{'|', -1}); }
    void breakLine() override { doc().items.push_back(Item{'/', -1}); }
    void breakPage() override { doc().items.push_back(Item{'#', -1}); }
    void handOver() override { handedOver = docs.size(); }

    Doc& doc()
    {
        if (docs.empty())
            throw pagula::common::Error(QStringLiteral("no document"));
        return docs.back();
    }

    // The content of document d as text: each cell as its file's base name (a filler as F)
    // with its edges (letters t, l, b, r), and the marks.
    QString dump(size_t d, const QString& fillerPath) const;
};

} // namespace pagula::compose::test
