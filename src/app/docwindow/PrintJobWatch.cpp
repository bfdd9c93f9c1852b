#include "app/docwindow/PrintJobWatch.h"

#include <QtConcurrent/QtConcurrentRun>

namespace pagula::docwindow
{

namespace
{
constexpr int AskEveryMilliseconds = 1500;
constexpr int UnknownAnswersAtMost = 10;
} // namespace

PrintJobWatch::PrintJobWatch(int job, QObject* parent) : QObject(parent), job_(job)
{
    timer_.setSingleShot(true);
    timer_.setInterval(AskEveryMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &PrintJobWatch::ask);
    connect(&answer_, &QFutureWatcher<document::JobState>::finished, this,
            [this] { take(answer_.result()); });
    ask();
}

void PrintJobWatch::ask()
{
    const int job = job_;
    answer_.setFuture(QtConcurrent::run([job] { return document::jobState(job); }));
}

void PrintJobWatch::take(const document::JobState& state)
{
    unknownInARow_ = state.stage == document::JobState::Unknown ? unknownInARow_ + 1 : 0;
    if (unknownInARow_ >= UnknownAnswersAtMost)
        return;
    const bool news = state.stage != state_.stage || state.reason != state_.reason;
    state_ = state;
    if (news)
        emit changed(state_);
    if (state_.ended())
        emit ended(state_);
    else
        timer_.start();
}

} // namespace pagula::docwindow
