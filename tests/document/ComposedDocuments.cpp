#include "ComposedDocuments.h"

#include "compose/CompositionHost.h"
#include "compose/CompositionRun.h"
#include "compose/ProgressDialog.h"
#include "document/BuiltinDocumentBuilder.h"

#include <gtest/gtest.h>

namespace pagula::document::test
{

namespace
{

struct Settings : compose::CompositionSettings {
    explicit Settings(const LayoutChoice& choice, const QStringList& entries) : c(choice)
    {
        for (const QString& e : entries)
            ticked.append(joblist::JobEntry::fromText(e));
    }

    bool twoSided() override { return c.twoSided; }
    joblist::JobEntries tickedEntries() override { return ticked; }
    int columns() override { return c.columns; }
    int rows() override { return c.rows; }
    double cellWidth() override { return c.cellWidth; }
    double cellHeight() override { return c.cellHeight; }
    int marginLeft() override { return c.marginLeft; }
    int marginRight() override { return c.marginRight; }
    int marginTop() override { return c.marginTop; }
    int marginBottom() override { return c.marginBottom; }
    int gutterSize() override { return c.gutterSize; }
    layout::GutterSide gutterSide() override { return c.gutterSide; }
    void setGutterSide(layout::GutterSide side) override { c.gutterSide = side; }
    QPointF backOffset() override { return c.backOffset; }
    int brightness() override { return c.brightness; }
    int contrast() override { return c.contrast; }
    ColorType colorType() override { return c.colorType; }
    bool frame() override { return c.frame; }
    compose::CropProfile cropProfile(int profile) override
    {
        return profile == 1 ? c.profile1 : c.profile2;
    }

    LayoutChoice c;
    joblist::JobEntries ticked;
};

struct Host : compose::CompositionHost {
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}
    void repaintProgress() override {}
    void processEvents() override {}
    void showError(const QString& text) override { problems << text; }
    void showMessage(const QString& text) override { problems << text; }
    void showInformation(const QString&) override {}

    QStringList problems;
};

struct Dialog : compose::ProgressDialog {
    void setStatus(const QString&) override {}
    void show() override
    {
        flag.shown(visible);
        visible = true;
    }
    void close() override { visible = false; }
    void repaint() override {}
    int cancelFlag() const override { return flag.value(); }

    bool visible = false;
    compose::CancelFlag flag;
};

} // namespace

std::vector<std::shared_ptr<Document>>
composeDocuments(const QStringList& ticked, const LayoutChoice& layout, const QString& fillerPath)
{
    Settings settings(layout, ticked);
    Host host;
    Dialog dialog;
    BuiltinDocumentBuilder builder;
    compose::CompositionRun run(builder, settings, host, dialog, fillerPath);
    run.generate();
    EXPECT_TRUE(host.problems.isEmpty()) << host.problems.join('\n').toStdString();
    return builder.documents();
}

} // namespace pagula::document::test
