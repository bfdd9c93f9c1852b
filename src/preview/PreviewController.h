#pragma once

#include "preview/PreviewPorts.h"

#include <QRect>

#include <functional>

namespace pagula::preview
{

// The width of the preview window for a given height: an A4 page's proportion, rounded.
int previewWidthForHeight(int height);

// Turns the preview on and off and picks the entry it shows: the `previewBox` switch, the preview
// refresh and the previous/next moves. The handlers let picture failures escape (the caller
// runs them through the default error report); a move that has happened stays.
class PreviewController
{
public:
    PreviewController(PreviewJobList& jobs, PreviewControls& controls, PreviewWindowPort& window);

    // Where the window is placed when switched on; the primary screen unless set.
    void setScreenGeometry(std::function<QRect()> screenGeometry);

    // `previewBox` clicked or its tick changed by the program.
    void onPreviewToggled();
    // A press on the job list outside the crop zone, and "Применить" (applyProfile).
    void refreshPreview();
    // previousButton: previous entry; nextButton: next entry.
    void showPrevious();
    void showNext();

private:
    void navigate(NavigateDirection direction);

    PreviewJobList& jobs_;
    PreviewControls& controls_;
    PreviewWindowPort& window_;
    std::function<QRect()> screenGeometry_;
};

} // namespace pagula::preview
