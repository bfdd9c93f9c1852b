#include "app/CompositionWorker.h"

#include "document/BuiltinDocumentBuilder.h"

#include <QThread>

namespace pagula::app
{

// The run's reports, on the run's thread, handed to the window's thread.
class CompositionWorker::Reports : public compose::CompositionEvents
{
public:
    explicit Reports(CompositionWorker& worker) : w_(worker) {}

    void stageStarted(compose::Stage stage) override
    {
        w_.deliver([this, stage] { emit w_.stageStarted(stage); });
    }
    void progressRangeSet(int maximum) override
    {
        w_.deliver([this, maximum] { emit w_.progressRangeSet(maximum); });
    }
    void progressed(int position) override
    {
        if (w_.pacing_ == Pacing::EventPass) {
            w_.deliver([this, position] { emit w_.progressed(position); });
            return;
        }
        // The newest position is what counts: one report waits at a time.
        w_.position_.store(position);
        if (w_.positionPending_.exchange(true))
            return;
        w_.deliver([this] {
            w_.positionPending_.store(false);
            emit w_.progressed(w_.position_.load());
        });
    }
    void gutterSideMirrored(bool mirrored) override
    {
        w_.deliver([this, mirrored] { emit w_.gutterSideMirrored(mirrored); });
    }

private:
    CompositionWorker& w_;
};

CompositionWorker::CompositionWorker(compose::CompositionRequest request, SettingsSource settings,
                                     Pacing pacing, QObject* parent)
    : QObject(parent), request_(std::move(request)), settings_(std::move(settings)),
      pacing_(pacing), channel_(request_.settings), reports_(std::make_unique<Reports>(*this))
{
}

CompositionWorker::~CompositionWorker()
{
    if (!thread_)
        return;
    cancel_.store(true);
    closing_.store(true);
    resume_.release();
    thread_->wait();
    delete thread_;
}

void CompositionWorker::start()
{
    if (thread_)
        return;
    thread_ = QThread::create([this] {
        document::BuiltinDocumentBuilder builder;
        result_ = compose::runComposition(request_, builder, *reports_, cancel_, &channel_);
        QMetaObject::invokeMethod(
            this, [this] { emit finished(); }, Qt::QueuedConnection);
    });
    thread_->setObjectName(QStringLiteral("composition"));
    thread_->start();
}

void CompositionWorker::cancel()
{
    cancel_.store(true);
}

void CompositionWorker::deliver(std::function<void()> report)
{
    QMetaObject::invokeMethod(
        this,
        [this, report = std::move(report)] {
            report();
            // Queued behind what the report's handlers posted, so their changes go with it.
            QMetaObject::invokeMethod(
                this, [this] { passSettingsOn(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    if (pacing_ != Pacing::EventPass)
        return;
    while (!resume_.tryAcquire(1, 20)) {
        if (closing_.load())
            return;
    }
}

void CompositionWorker::passSettingsOn()
{
    if (settings_)
        channel_.publish(settings_());
    if (pacing_ == Pacing::EventPass)
        resume_.release();
}

} // namespace pagula::app
