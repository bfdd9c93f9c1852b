#pragma once

namespace pagula::preview
{

class PreviewController;
class PreviewTabs;
class PreviewWindow;

// Connects the preview tab set, the preview window and the controller: the `previewBox` switch
// (clicked or changed by the program) runs onPreviewToggled, the step buttons run showPrevious and
// showNext, and closing the window unticks the switch. Failures go to the default error
// report. The main window calls PreviewController::refreshPreview() itself, from its job
// list press and "Применить".
void connectPreview(PreviewTabs& tabs, PreviewWindow& window, PreviewController& controller);

} // namespace pagula::preview
