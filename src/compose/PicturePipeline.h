#pragma once

#include "compose/PictureStep.h"

#include <QFuture>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>

namespace pagula::compose
{

// Prepares the pictures of one walk on a pool of worker threads, one per core, ahead of the
// walk and in parallel, and hands them back in list order. A picture is asked for when the walk
// takes the one lookAhead places before it, so it is prepared with the settings of at most
// lookAhead cells earlier. Once the cancel flag is set no further picture is started: each
// worker finishes at most the one it is on.
class PicturePipeline
{
public:
    // The task of the picture at an index; called on the walk's thread, in list order, when the
    // picture is asked for.
    using TaskFor = std::function<PictureTask(int index)>;

    PicturePipeline(int count, TaskFor taskFor, PictureStep step, int lookAhead,
                    const std::atomic<bool>& cancel);
    // Drops what was not taken, after the pictures in work have finished.
    ~PicturePipeline();
    PicturePipeline(const PicturePipeline&) = delete;
    PicturePipeline& operator=(const PicturePipeline&) = delete;

    // The picture at the next index, waiting for it when it is not ready. One the pool left
    // undone after a cancel is prepared here: a walk always completes its entry in progress.
    PreparedPicture next();

    // Two pictures per worker: each worker has the next one waiting when it ends one.
    static int defaultLookAhead();

private:
    struct Outcome {
        PreparedPicture picture;
        bool done = false; // false: left undone after a cancel
    };
    void askUpTo(int index);

    int count_;
    TaskFor taskFor_;
    std::shared_ptr<const PictureStep> step_;
    int lookAhead_;
    const std::atomic<bool>& cancel_;
    std::shared_ptr<std::atomic<bool>> abandoned_;
    std::deque<std::pair<PictureTask, QFuture<Outcome>>> asked_;
    int taken_ = 0;
    int askedCount_ = 0;
};

} // namespace pagula::compose
