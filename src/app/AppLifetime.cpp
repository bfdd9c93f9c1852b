#include "app/AppLifetime.h"

namespace pagula::app
{

void AppLifetime::mainWindowClosed()
{
    mainOpen_ = false;
    quitWhenNothingIsLeft();
}

void AppLifetime::documentWindowOpened()
{
    ++documents_;
}

void AppLifetime::documentWindowClosed()
{
    if (documents_ > 0)
        --documents_;
    quitWhenNothingIsLeft();
}

void AppLifetime::runStarted()
{
    running_ = true;
}

void AppLifetime::runFinished()
{
    running_ = false;
    quitWhenNothingIsLeft();
}

void AppLifetime::quitWhenNothingIsLeft()
{
    if (mainOpen_ || documents_ > 0 || running_ || quitRequested_)
        return;
    quitRequested_ = true;
    if (quit_)
        quit_();
}

} // namespace pagula::app
