#pragma once

namespace pagula::widgets
{

class GradientButton;

// The looks the program's windows give their gradient buttons, applied to a button that still
// has its constructor values. Size and caption stay with the window; every look has the focus
// rectangle off and keeps the button in the tab order.
enum class ButtonLook {
    Generate, // "Сформировать документ": light blue to navy rectangles, bold italic
    AddFiles,   // "Добавить >>>": the default navy to aqua, elliptic, bold
    Command,    // the list and crop commands: white to navy rectangles
    StepSymbol, // previous / next entry: as Command with the Webdings symbols "9" and ":"
    About,      // "?": light blue to white from the middle, inset navy text
    Dialog,     // the progress and About dialogs' button
};

void applyButtonLook(GradientButton& button, ButtonLook look);

} // namespace pagula::widgets
