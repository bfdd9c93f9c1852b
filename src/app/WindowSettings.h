#pragma once

#include "compose/CompositionSettings.h"

#include <QObject>

#include <optional>

namespace pagula::layout
{
class LayoutPanel;
} // namespace pagula::layout
namespace pagula::joblist
{
class JobListPanels;
}

namespace pagula::app
{

class AdjustmentsPanel;
class PreparationPanel;

// The main window's controls as the generation takes them: a value read at one moment. The
// ticked entries are collected again only after the job list has changed.
class WindowSettings : public QObject
{
    Q_OBJECT
public:
    WindowSettings(layout::LayoutPanel& layout, joblist::JobListPanels& jobList,
                   AdjustmentsPanel& adjustments, PreparationPanel& preparation,
                   QObject* parent = nullptr);

    compose::CompositionSettings read() const;

    // While the back side is built the gutter drop-down shows the mirrored side; the setting
    // itself is the side the user chose.
    void setGutterShownMirrored(bool mirrored) { gutterShownMirrored_ = mirrored; }

private:
    layout::LayoutPanel& layout_;
    joblist::JobListPanels& jobList_;
    AdjustmentsPanel& adjustments_;
    PreparationPanel& preparation_;
    mutable std::optional<joblist::JobEntries> ticked_;
    bool gutterShownMirrored_ = false;
};

} // namespace pagula::app
