#include "preview/WorkerWait.h"

#include "common/Error.h"

#include <QTimer>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace pagula;
using namespace pagula::preview;

TEST(WorkerWait, ReturnsTheResultComputedOffThisThread)
{
    const auto caller = std::this_thread::get_id();
    std::thread::id worker;
    const int value = runWhileRepainting<int>([&] {
        worker = std::this_thread::get_id();
        return 42;
    });
    EXPECT_EQ(value, 42);
    EXPECT_NE(worker, caller);
}

TEST(WorkerWait, RethrowsTheWorkersFailureHere)
{
    try {
        runWhileRepainting<int>(
            []() -> int { throw common::Error(QStringLiteral("JPEG error #9")); });
        FAIL() << "no exception";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("JPEG error #9"));
    }
}

TEST(WorkerWait, TheWaitingThreadKeepsDeliveringTimers)
{
    // The work finishes only after a timer of this thread has fired, which happens only if the
    // wait runs the event loop.
    std::promise<void> fired;
    QTimer::singleShot(0, [&] { fired.set_value(); });
    const bool sawTimer = runWhileRepainting<bool>([&] {
        return fired.get_future().wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    });
    EXPECT_TRUE(sawTimer);
}
