#pragma once

#include "compose/CompositionHost.h"

class QWidget;

namespace pagula::app
{

class ProgressBar;

// The main window's services to a generation run: the progress bar `progressBar`, one pass of the
// event loop per placed picture, and the message boxes (through MessageBoxes, so tests can answer
// them).
class RunHost : public compose::CompositionHost
{
public:
    RunHost(ProgressBar& bar, QWidget& window) : bar_(bar), window_(window) {}

    void setProgressRange(int minimum, int maximum) override;
    void setProgressPosition(int position) override;
    void repaintProgress() override;
    void processEvents() override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;

private:
    ProgressBar& bar_;
    QWidget& window_;
};

} // namespace pagula::app
