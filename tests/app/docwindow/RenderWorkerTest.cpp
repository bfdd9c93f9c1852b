#include "app/docwindow/RenderWorker.h"

#include "DocWindowTestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace pagula;
using namespace pagula::docwindow;
using namespace pagula::docwindow::test;

namespace
{

// Opens the gate when a test ends early, so the worker it holds can stop.
struct OpenGateOnExit {
    RecordingDecoder& recorder;
    ~OpenGateOnExit() { recorder.release(); }
};

class RenderWorkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // One picture a page: a picture taller than half the text area.
        grid = makeColourGrid(dir.path(), 4);
        doc = gridDocument(grid.paths, 1, {300, 500});
        layout = std::make_shared<const document::DocumentLayout>(document::layoutDocument(*doc));
        ASSERT_EQ(layout->pages.size(), 4);
    }

    static BandJob job(int page)
    {
        BandJob j;
        j.key = {page, 0, 1.0};
        j.request.pageWidth = 595;
        j.request.top = 0;
        j.request.bottom = 384;
        return j;
    }

    void waitForResults(int count)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return int(results.size()) >= count; }, 10000));
    }

    void collect(RenderWorker& worker)
    {
        QObject::connect(&worker, &RenderWorker::bandRendered,
                         [this](const RenderedBand& band) { results.push_back(band); });
    }

    QTemporaryDir dir;
    ColourGrid grid;
    std::shared_ptr<document::Document> doc;
    std::shared_ptr<const document::DocumentLayout> layout;
    RecordingDecoder recorder;
    std::vector<RenderedBand> results;
};

TEST_F(RenderWorkerTest, ANewRequestDropsWhatIsStillWaiting)
{
    RenderWorker worker(doc, layout, recorder.decoder());
    OpenGateOnExit gate{recorder};
    collect(worker);
    recorder.hold();
    worker.request({job(0), job(1)});
    ASSERT_TRUE(recorder.waitUntilHeld(10000)); // page 0 is being rendered
    worker.request({job(2), job(1)});           // the user scrolled on
    worker.request({job(3)});                   // and on
    recorder.release();
    waitForResults(2);
    QTest::qWait(100); // nothing else may come
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].key.page, 0);
    EXPECT_EQ(results[1].key.page, 3);
    EXPECT_EQ(recorder.decodedPaths(), (QStringList{grid.paths[0], grid.paths[3]}));
    EXPECT_EQ(worker.renderedCount(), 2);
    EXPECT_EQ(results[1].image.pixelColor(200, 200), grid.colours[3]);
}

TEST_F(RenderWorkerTest, TheStripInProgressIsNotRenderedTwice)
{
    RenderWorker worker(doc, layout, recorder.decoder());
    OpenGateOnExit gate{recorder};
    collect(worker);
    recorder.hold();
    worker.request({job(0)});
    ASSERT_TRUE(recorder.waitUntilHeld(10000));
    worker.request({job(0), job(1)}); // page 0 still on screen
    recorder.release();
    waitForResults(2);
    QTest::qWait(100);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].key.page, 0);
    EXPECT_EQ(results[1].key.page, 1);
}

TEST_F(RenderWorkerTest, FailuresComeWithTheStripAndAPageOutsideTheLayoutGivesNothing)
{
    ASSERT_TRUE(QFile::remove(grid.paths[1]));
    RenderWorker worker(doc, layout, {});
    collect(worker);
    worker.request({job(1), job(17)});
    waitForResults(2);
    ASSERT_EQ(results.size(), 2u);
    ASSERT_EQ(results[0].failures.size(), 1);
    EXPECT_EQ(results[0].failures[0].path, grid.paths[1]);
    EXPECT_FALSE(results[0].image.isNull());
    EXPECT_TRUE(results[1].image.isNull());
    EXPECT_TRUE(results[1].failures.isEmpty());
}

TEST_F(RenderWorkerTest, StoppingWaitsOnlyForTheStripInProgress)
{
    std::thread releaser;
    {
        RenderWorker worker(doc, layout, recorder.decoder());
        std::vector<BandJob> many;
        for (int i = 0; i < 1000; ++i)
            many.push_back(job(i % 4));
        recorder.hold();
        worker.request(many);
        EXPECT_TRUE(recorder.waitUntilHeld(10000));
        // The strip in progress finishes only after the worker was told to stop.
        releaser = std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            recorder.release();
        });
    }
    releaser.join();
    EXPECT_EQ(recorder.decodedPaths().size(), 1);
}

} // namespace
