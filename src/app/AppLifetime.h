#pragma once

#include <functional>

namespace pagula::app
{

// Decides when the process ends. Document windows outlive the main window, so the process
// ends when the main window has been closed and the last document window has gone. A run that
// is still winding down when the main window closes may yet hand over documents, so the end
// waits for it too.
class AppLifetime
{
public:
    explicit AppLifetime(std::function<void()> quit) : quit_(std::move(quit)) {}

    void mainWindowClosed();
    void documentWindowOpened();
    void documentWindowClosed();
    void runStarted();
    void runFinished();

private:
    void quitWhenNothingIsLeft();

    std::function<void()> quit_;
    bool mainOpen_ = true;
    int documents_ = 0;
    bool running_ = false;
    bool quitRequested_ = false;
};

} // namespace pagula::app
