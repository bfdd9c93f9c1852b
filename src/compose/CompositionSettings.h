#pragma once

#include "document/PictureFormat.h"
#include "joblist/CropMode.h"
#include "joblist/JobEntry.h"
#include "layout/LayoutSettings.h"

#include <QPointF>

namespace pagula::compose
{

// Whole percentages 0..100 of the picture to cut away on each side.
using CropProfile = joblist::CropProfile;
using GutterSide = layout::GutterSide;

// The settings the composition reads, live, from the main window at the moment it needs them:
// a change the user makes while a run pumps events reaches the steps that follow it.
class CompositionSettings
{
public:
    virtual ~CompositionSettings() = default;

    // "Двусторонняя печать"
    virtual bool twoSided() = 0;
    // The ticked job list entries, in list order.
    virtual joblist::JobEntries tickedEntries() = 0;

    virtual int columns() = 0;
    virtual int rows() = 0;
    virtual double cellWidth() = 0;  // mm
    virtual double cellHeight() = 0; // mm
    virtual int marginLeft() = 0;    // whole mm
    virtual int marginRight() = 0;
    virtual int marginTop() = 0;
    virtual int marginBottom() = 0;
    virtual int gutterSize() = 0; // whole mm
    // The printer offset of the back side in mm: X to the right, Y down, as the back page is
    // seen; every back page's content moves by it.
    virtual QPointF backOffset() = 0;

    // The selected gutter side; the back side mirrors it while it is built.
    virtual GutterSide gutterSide() = 0;
    virtual void setGutterSide(GutterSide side) = 0;

    virtual int brightness() = 0; // scroll bar position 0..100
    virtual int contrast() = 0;   // scroll bar position 0..100
    // "Авто", "Оттенки серого" or "Черно/белое"
    virtual document::ColorType colorType() = 0;
    virtual bool frame() = 0; // "Рамка вокруг рисунков"
    // Profile 1 (one-side) or 2 (two-side).
    virtual CropProfile cropProfile(int profile) = 0;
};

} // namespace pagula::compose
