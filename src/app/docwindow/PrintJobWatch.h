#pragma once

#include "document/PrintQueue.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

namespace pagula::docwindow
{

// Follows a job at the print service until it has ended: asks for its state on a worker
// thread now and then (the service may be slow or far away) and reports every change. Gives
// up quietly when the service cannot say for a while.
class PrintJobWatch : public QObject
{
    Q_OBJECT
public:
    explicit PrintJobWatch(int job, QObject* parent = nullptr);

    int job() const { return job_; }
    const document::JobState& state() const { return state_; }

signals:
    void changed(const document::JobState& state);
    void ended(const document::JobState& state);

private:
    void ask();
    void take(const document::JobState& state);

    int job_;
    document::JobState state_;
    int unknownInARow_ = 0;
    QTimer timer_;
    QFutureWatcher<document::JobState> answer_;
};

} // namespace pagula::docwindow
