#pragma once

#include "imaging/PagePreparation.h"
#include "joblist/JobEntry.h"
#include "preview/CropBands.h"
#include "preview/Navigation.h"

#include <QPoint>
#include <QSizeF>
#include <QString>

namespace pagula::preview
{

// The job list as the preview needs it; the main window adapts its list to this.
class PreviewJobList
{
public:
    virtual ~PreviewJobList() = default;
    virtual int entryCount() const = 0;
    virtual joblist::JobEntry entry(int row) const = 0;
    virtual int currentRow() const = 0; // -1 when no entry is current
    virtual void setCurrentRow(int row) = 0;
};

// The two crop profiles, read each time the preview renders (n is 1 or 2).
class CropProfileSource
{
public:
    virtual ~CropProfileSource() = default;
    virtual CropPercentages cropProfile(int n) const = 0;
};

// The page preparation and the cell a picture is printed in, read each time the preview shows a
// picture.
struct PreviewPreparation {
    imaging::PreparationOptions options;
    bool keepProportions = false;
    QSizeF cellMm; // the picture's part of a cell, without its binding strip
};
class PreparationSource
{
public:
    virtual ~PreparationSource() = default;
    virtual PreviewPreparation previewPreparation() const = 0;
};

// The controls of the preview tab set that the switching and navigation read.
class PreviewControls
{
public:
    virtual ~PreviewControls() = default;
    virtual bool previewTicked() const = 0;
    virtual NavigateMode navigateMode() const = 0;
};

// The preview window as the switching drives it. Positions and sizes are those of the whole
// window, frame included.
class PreviewWindowPort
{
public:
    virtual ~PreviewWindowPort() = default;
    // Shows a job entry; throws pagula::common::Error when its picture cannot be shown.
    virtual void showEntry(const joblist::JobEntry& entry) = 0;
    // Visible and not already closing.
    virtual bool isShowing() const = 0;
    virtual void closeWindow() = 0;
    virtual void showWindow() = 0;
    virtual void moveFrameTo(QPoint topLeft) = 0;
    // Returns the height the window got.
    virtual int setFrameHeight(int height) = 0;
    virtual void setFrameWidth(int width) = 0;
};

} // namespace pagula::preview
