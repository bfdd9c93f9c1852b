#pragma once

#include <QString>

namespace pagula::compose
{

// The main window's services that a run uses: its progress bar, the event pump and the
// message boxes.
class CompositionHost
{
public:
    virtual ~CompositionHost() = default;

    // Progress bar `progressBar`. Positions beyond the maximum show as full.
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    virtual void repaintProgress() = 0;

    // Lets the GUI process all pending events once.
    virtual void processEvents() = 0;

    // A message box of the error kind with one OK button.
    virtual void showError(const QString& text) = 0;
    // A plain message box with the failure's message text.
    virtual void showMessage(const QString& text) = 0;
    // A message box of the information kind with one OK button; returns when dismissed.
    virtual void showInformation(const QString& text) = 0;
};

} // namespace pagula::compose
