#pragma once

#include "preview/PreviewPorts.h"

#include <QRect>
#include <QStringList>

#include <algorithm>

namespace pagula::preview::fakes
{

struct FakeJobList : PreviewJobList {
    QStringList entries;
    int current = -1;

    int entryCount() const override { return int(entries.size()); }
    joblist::JobEntry entry(int row) const override
    {
        return joblist::JobEntry::fromText(entries.at(row));
    }
    int currentRow() const override { return current; }
    void setCurrentRow(int row) override { current = row; }
};

struct FakeProfiles : CropProfileSource {
    CropPercentages one;
    CropPercentages two;
    CropPercentages cropProfile(int n) const override { return n == 2 ? two : one; }
};

struct FakePreparation : PreparationSource {
    PreviewPreparation preparation;
    PreviewPreparation previewPreparation() const override { return preparation; }
};

struct FakeControls : PreviewControls {
    bool ticked = false;
    NavigateMode mode = NavigateMode::ByCropType;
    bool previewTicked() const override { return ticked; }
    NavigateMode navigateMode() const override { return mode; }
};

// Records what the switching asks of the window; a window manager may cap its height.
struct FakeWindow : PreviewWindowPort {
    QStringList shownEntries;
    bool visible = false;
    int closes = 0;
    QRect frame{100, 100, 300, 400};
    int maxHeight = 1 << 20;

    void showEntry(const joblist::JobEntry& entry) override { shownEntries << entry.text(); }
    bool isShowing() const override { return visible; }
    void closeWindow() override
    {
        ++closes;
        visible = false;
    }
    void showWindow() override { visible = true; }
    void moveFrameTo(QPoint p) override { frame.moveTopLeft(p); }
    int setFrameHeight(int h) override
    {
        frame.setHeight(std::min(h, maxHeight));
        return frame.height();
    }
    void setFrameWidth(int w) override { frame.setWidth(w); }
};

} // namespace pagula::preview::fakes
