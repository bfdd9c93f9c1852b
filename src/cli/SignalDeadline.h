#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace pagula::cli
{

// Makes a request to end the run take effect within a moment, whatever step the run is in.
// A watcher thread sees the request (asked through `wanted`); the run is given `grace` to unwind
// by itself; past that, the cleanup is called, `farewell` is printed and the process ends with
// `exitCode`. Only the replacing of the outputs is never cut short: once begun, it finishes.
class SignalDeadline
{
public:
    SignalDeadline(std::function<bool()> wanted, std::chrono::milliseconds grace, int exitCode);
    ~SignalDeadline();
    SignalDeadline(const SignalDeadline&) = delete;
    SignalDeadline& operator=(const SignalDeadline&) = delete;

    // What removes the run's temporary and staged files should the deadline pass. Called on
    // the watcher thread with every other call here held off.
    void setCleanup(std::function<void()> cleanup);
    // Runs `step` (staging an output, say) so that the cleanup never sees it half done.
    void guarded(const std::function<void()>& step);
    // From here on the run replaces its outputs, which the deadline no longer interrupts.
    void beginCommit();

private:
    void watch();

    std::function<bool()> wanted_;
    std::chrono::milliseconds grace_;
    int exitCode_;
    std::function<void()> cleanup_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    bool committing_ = false;
    std::thread watcher_;
};

} // namespace pagula::cli
