#pragma once

#include "app/BevelPanel.h"

class QSplitter;

namespace pagula::joblist
{
class JobListPanels;
}
namespace pagula::preview
{
class PreviewTabs;
}

namespace pagula::app
{

class BottomStrip;
class CommandStrip;

// The right panel: the top strip, the job list, the splitter under it and
// the bottom strip with the crop and preview tab sets.
class RightPanel : public BevelPanel
{
    Q_OBJECT
public:
    RightPanel(joblist::JobListPanels& jobList, preview::PreviewTabs* previewTabs,
               QWidget* parent = nullptr);

    CommandStrip* commandStrip() const { return commandStrip_; }
    BottomStrip* bottomStrip() const { return bottomStrip_; }

private:
    CommandStrip* commandStrip_;
    QSplitter* listPanes_; // its handle is listSplitter
    BottomStrip* bottomStrip_;
};

} // namespace pagula::app
