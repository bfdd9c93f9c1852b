#pragma once

// Plain-data stand-ins for the main window's settings, the run's reports and the document
// builder, so the composition can be driven and its result read back as text.

#include "common/Error.h"
#include "compose/CompositionEvents.h"
#include "compose/CompositionSettings.h"
#include "compose/PictureStep.h"
#include "compose/SettingsChannel.h"
#include "document/Document.h"
#include "document/DocumentBuilder.h"

#include <QSizeF>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace pagula::compose::test
{

struct FakeSettings {
    bool twoSide = false;
    QStringList ticked; // written as in the job list file
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

    CompositionSettings value() const;
};

// Records the reports; after each cell runs `afterCell` and passes the settings on, as the
// window does between cells.
struct FakeEvents : CompositionEvents {
    FakeSettings* settings = nullptr;
    SettingsChannel* channel = nullptr;
    int minimum = -1, maximum = -1, position = -1;
    std::vector<int> positions;
    std::vector<Stage> stages;
    std::vector<bool> mirrorings;
    std::function<void()> afterCell;

    void stageStarted(Stage stage) override { stages.push_back(stage); }
    void progressRangeSet(int hi) override
    {
        minimum = 0;
        maximum = hi;
    }
    void progressed(int p) override;
    void gutterSideMirrored(bool mirrored) override { mirrorings.push_back(mirrored); }
};

// Every picture 100 x 100 points, without touching a file.
PreparedPicture fakePicture(const PictureTask& task);

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
    QStringList missing; // paths whose cells fail

    std::shared_ptr<document::Document> beginDocument(const QMarginsF& margins) override
    {
        docs.push_back(Doc{margins, {}, {}});
        return std::make_shared<document::Document>();
    }
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
