#include "cli/SignalDeadline.h"

#include <unistd.h>

namespace pagula::cli
{

namespace
{

// How often the watcher looks at the request: a signal handler can only set a flag.
constexpr std::chrono::milliseconds pollInterval{20};

} // namespace

SignalDeadline::SignalDeadline(std::function<bool()> wanted, std::chrono::milliseconds grace,
                               int exitCode)
    : wanted_(std::move(wanted)), grace_(grace), exitCode_(exitCode), watcher_([this] { watch(); })
{
}

SignalDeadline::~SignalDeadline()
{
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    watcher_.join();
}

void SignalDeadline::setCleanup(std::function<void()> cleanup)
{
    const std::lock_guard lock(mutex_);
    cleanup_ = std::move(cleanup);
}

void SignalDeadline::guarded(const std::function<void()>& step)
{
    const std::lock_guard lock(mutex_);
    step();
}

void SignalDeadline::beginCommit()
{
    const std::lock_guard lock(mutex_);
    committing_ = true;
}

void SignalDeadline::watch()
{
    std::unique_lock lock(mutex_);
    while (!done_ && !wanted_())
        finished_.wait_for(lock, pollInterval);
    if (done_)
        return;
    // The run sees the request too, and normally unwinds well within the grace time.
    if (finished_.wait_for(lock, grace_, [this] { return done_; }) || committing_)
        return;
    if (cleanup_)
        cleanup_();
    // The lock stays held: no other step of the run may start now.
    ::_exit(exitCode_);
}

} // namespace pagula::cli
