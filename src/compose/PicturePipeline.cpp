#include "compose/PicturePipeline.h"

#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace pagula::compose
{

namespace
{

QThreadPool& picturePool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return p;
    }();
    return *pool;
}

} // namespace

PicturePipeline::PicturePipeline(int count, TaskFor taskFor, PictureStep step, int lookAhead,
                                 const std::atomic<bool>& cancel)
    : count_(count), taskFor_(std::move(taskFor)),
      step_(std::make_shared<const PictureStep>(std::move(step))),
      lookAhead_(lookAhead > 0 ? lookAhead : defaultLookAhead()), cancel_(cancel),
      abandoned_(std::make_shared<std::atomic<bool>>(false))
{
}

PicturePipeline::~PicturePipeline()
{
    abandoned_->store(true);
    // A task the pool has not started yet ends at once; waiting may run it on this thread.
    for (auto& [task, outcome] : asked_)
        outcome.waitForFinished();
}

int PicturePipeline::defaultLookAhead()
{
    return 2 * picturePool().maxThreadCount();
}

void PicturePipeline::askUpTo(int index)
{
    const std::atomic<bool>* cancel = &cancel_;
    while (askedCount_ < count_ && askedCount_ <= index) {
        PictureTask task = taskFor_(askedCount_++);
        QFuture<Outcome> outcome = QtConcurrent::run(
            &picturePool(), [task, step = step_, abandoned = abandoned_, cancel]() -> Outcome {
                if (abandoned->load() || cancel->load())
                    return {};
                return {(*step)(task), true};
            });
        asked_.emplace_back(std::move(task), std::move(outcome));
    }
}

PreparedPicture PicturePipeline::next()
{
    askUpTo(taken_ + lookAhead_);
    ++taken_;
    auto [task, future] = std::move(asked_.front());
    asked_.pop_front();
    Outcome outcome = future.takeResult();
    return outcome.done ? std::move(outcome.picture) : (*step_)(task);
}

} // namespace pagula::compose
