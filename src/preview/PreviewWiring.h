#pragma once

namespace pagula::preview {

class PreviewController;
class PreviewTabs;
class TForm4;

// Connects the preview tab set, the preview window and the controller: the `Preview` switch
// (clicked or changed by the program) runs PreviewClick, the step buttons run Button8Click and
// Button9Click, and closing the window unticks the switch. Failures go to the default error
// report. The main window calls PreviewController::refreshPreview() itself, from its job
// list press and "Применить".
void connectPreview(PreviewTabs& tabs, TForm4& window, PreviewController& controller);

} // namespace pagula::preview
