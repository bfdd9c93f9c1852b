#pragma once

#include "document/PictureFormat.h"
#include "imaging/PagePreparation.h"
#include "joblist/CropMode.h"
#include "joblist/JobEntry.h"
#include "layout/LayoutSettings.h"

#include <QPointF>

namespace pagula::compose
{

// Whole percentages 0..100 of the picture to cut away on each side.
using CropProfile = joblist::CropProfile;
using GutterSide = layout::GutterSide;

// Everything a composition reads, as plain values: what the main window's controls held at one
// moment, or the batch command's options. The defaults are the window's start values.
struct CompositionSettings {
    bool twoSided = false;      // "Двусторонняя печать"
    joblist::JobEntries ticked; // the ticked job list entries, in list order

    int columns = 3;
    int rows = 3;
    double cellWidth = 64.3;  // mm
    double cellHeight = 90.0; // mm
    int marginLeft = 7;       // whole mm
    int marginRight = 10;
    int marginTop = 7;
    int marginBottom = 20;
    int gutterSize = 6; // whole mm
    GutterSide gutterSide = GutterSide::Left;
    // The printer offset of the back side in mm: X to the right, Y down, as the back page is
    // seen; every back page's content moves by it.
    QPointF backOffset;

    int brightness = 50; // scroll bar position 0..100
    int contrast = 50;   // scroll bar position 0..100
    // "Авто", "Оттенки серого" or "Черно/белое"
    document::ColorType colorType = document::ColorType::Greyscale;
    bool frame = true;    // "Рамка вокруг рисунков"
    CropProfile profile1; // one-side
    CropProfile profile2; // two-side
    // "Подготовка страниц": done to each picture before its crop; all off at start.
    imaging::PreparationOptions preparation;
    // "Сохранять пропорции": the picture fitted into its cell keeping its proportions, centred.
    bool keepProportions = false;

    // Profile 1 or 2.
    const CropProfile& cropProfile(int profile) const { return profile == 2 ? profile2 : profile1; }

    bool operator==(const CompositionSettings& o) const;
    bool operator!=(const CompositionSettings& o) const { return !(*this == o); }
};

} // namespace pagula::compose
