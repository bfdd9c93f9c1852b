#include "app/docwindow/ExportTask.h"

#include "common/Error.h"

#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace pagula;
using namespace pagula::docwindow;

namespace
{

// An export of `pages` pages that waits for the test between pages.
struct SteppedExport {
    int pages = 5;
    std::atomic<int> allowed{0};

    ExportTask::Work work()
    {
        return [this](const document::ProgressCallback& progress) {
            document::ExportResult result;
            for (int page = 1; page <= pages; ++page) {
                if (!progress(page, pages)) {
                    result.cancelled = true;
                    return result;
                }
                while (allowed < page)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                ++result.pagesWritten;
            }
            return result;
        };
    }
};

TEST(ExportTask, ReportsThePageInProgressAndTheResult)
{
    SteppedExport stepped;
    ExportTask task(stepped.work());
    ASSERT_TRUE(QTest::qWaitFor([&] { return task.page() == 1; }, 5000));
    EXPECT_EQ(task.pageCount(), 5);
    EXPECT_FALSE(task.isFinished());
    stepped.allowed = 2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return task.page() == 3; }, 5000));
    stepped.allowed = 5;
    const document::ExportResult result = task.result();
    EXPECT_TRUE(task.isFinished());
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.pagesWritten, 5);
}

TEST(ExportTask, ACancelStopsBeforeTheNextPage)
{
    SteppedExport stepped;
    ExportTask task(stepped.work());
    ASSERT_TRUE(QTest::qWaitFor([&] { return task.page() == 1; }, 5000));
    task.cancel();
    stepped.allowed = 5;
    const document::ExportResult result = task.result();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.pagesWritten, 1);
}

TEST(ExportTask, TheExportsErrorReachesTheCaller)
{
    ExportTask task([](const document::ProgressCallback&) -> document::ExportResult {
        throw common::Error(QStringLiteral("Cannot create file /nowhere/x.pdf"));
    });
    try {
        task.result();
        ADD_FAILURE() << "no error";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file /nowhere/x.pdf"));
    }
}

} // namespace
