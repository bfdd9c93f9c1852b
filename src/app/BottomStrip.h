#pragma once

#include "app/BevelPanel.h"

namespace pagula::joblist
{
class CropTabSet;
}
namespace pagula::preview
{
class PreviewTabs;
}

namespace pagula::app
{

class PreparationPanel;

// The bottom strip of the right panel: the crop tab set, a thin separator, the preview tab
// set, which takes the rest of the width, and the page preparation group. Both tab sets show their
// tabs' icons from the program's icon list.
class BottomStrip : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Height = 92;

    BottomStrip(joblist::CropTabSet* cropTabs, preview::PreviewTabs* previewTabs,
                QWidget* parent = nullptr);

    preview::PreviewTabs* previewTabs() const { return previewTabs_; }
    PreparationPanel* preparation() const { return preparation_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* content_;
    preview::PreviewTabs* previewTabs_;
    PreparationPanel* preparation_;
};

} // namespace pagula::app
