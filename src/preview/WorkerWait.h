#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace pagula::preview
{

namespace detail
{
// Runs `work` on a worker thread; the calling thread waits in a local event loop that repaints
// windows and delivers timers but holds user input back until the work is done, so no user
// action re-enters the caller. Without an application object, or off the application's thread,
// the work simply runs here.
void runWaiting(const std::function<void()>& work);
} // namespace detail

// Computes a value off the GUI thread and returns it here; the worker's exception is rethrown
// on the calling thread. The work must use only QImage and plain data (never QPixmap or
// widgets).
template <class T> T runWhileRepainting(const std::function<T()>& work)
{
    std::optional<T> result;
    std::exception_ptr failure;
    detail::runWaiting([&] {
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}

} // namespace pagula::preview
