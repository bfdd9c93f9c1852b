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

// The right panel Panel6: the top strip, the job list CheckListBox1, the splitter Splitter1 and
// the bottom strip with the crop and preview tab sets.
class RightPanel : public BevelPanel
{
    Q_OBJECT
public:
    RightPanel(joblist::JobListPanels& jobList, preview::PreviewTabs* previewTabs,
               QWidget* parent = nullptr);

    CommandStrip* commandStrip() const { return Panel8; }

private:
    CommandStrip* Panel8;
    QSplitter* listSplit_; // its handle is Splitter1
    BottomStrip* Panel2;
};

} // namespace pagula::app
