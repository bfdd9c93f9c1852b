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
// tabs' icons from the program's icon list. Where the strip is too narrow for all of them in one
// row, the preparation group goes under the tab sets and the strip asks for a second row's height.
class BottomStrip : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Height = 92;

    BottomStrip(joblist::CropTabSet* cropTabs, preview::PreviewTabs* previewTabs,
                QWidget* parent = nullptr);

    preview::PreviewTabs* previewTabs() const { return previewTabs_; }
    PreparationPanel* preparation() const { return preparation_; }
    bool wraps() const { return wraps_; }
    // The height that shows every control at the strip's width: one row, or two when it wraps.
    int wantedHeight() const;

signals:
    void wantedHeightChanged(int height);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* content_;
    preview::PreviewTabs* previewTabs_;
    PreparationPanel* preparation_;
    bool wraps_ = false;
};

} // namespace pagula::app
