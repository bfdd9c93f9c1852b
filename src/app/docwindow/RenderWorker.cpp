#include "app/docwindow/RenderWorker.h"

#include <QMetaObject>

namespace pagula::docwindow
{

RenderWorker::RenderWorker(std::shared_ptr<const document::Document> document,
                           std::shared_ptr<const document::DocumentLayout> layout,
                           document::PictureSource::Decoder decoder, QObject* parent)
    : QObject(parent), document_(std::move(document)), layout_(std::move(layout)),
      decoder_(std::move(decoder)), thread_([this] { run(); })
{
}

RenderWorker::~RenderWorker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        pending_.clear();
    }
    wake_.notify_all();
    thread_.join();
    // Results posted but not yet delivered die with this object.
}

void RenderWorker::request(const std::vector<BandJob>& jobs)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.clear();
        for (const BandJob& job : jobs) {
            if (!inProgress_ || !(job.key == *inProgress_))
                pending_.push_back(job);
        }
    }
    wake_.notify_all();
}

int RenderWorker::renderedCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return rendered_;
}

void RenderWorker::run()
{
    for (;;) {
        BandJob job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (stopping_)
                return;
            job = pending_.front();
            pending_.erase(pending_.begin());
            inProgress_ = job.key;
        }
        RenderedBand band = render(job);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            inProgress_.reset();
            ++rendered_;
        }
        // Posted while this object is alive (the destructor joins first); delivered on the
        // owner's thread, or dropped if the object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, band = std::move(band)] { emit bandRendered(band); },
            Qt::QueuedConnection);
    }
}

RenderedBand RenderWorker::render(const BandJob& job) const
{
    RenderedBand band;
    band.key = job.key;
    const auto& pages = layout_->pages;
    if (job.key.page < 0 || job.key.page >= pages.size())
        return band;
    try {
        band.image =
            renderBand(*document_, pages[job.key.page], job.request, decoder_, &band.failures);
    } catch (...) {
        // Nothing may escape the thread; the strip stays blank and is not tried again.
        band.image = QImage();
    }
    return band;
}

} // namespace pagula::docwindow
