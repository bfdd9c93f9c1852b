#pragma once

#include "app/docwindow/BandRenderer.h"
#include "app/docwindow/TileCache.h"

#include "document/Document.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"
#include "document/PictureSource.h"

#include <QImage>
#include <QList>
#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace pagula::docwindow
{

struct BandJob {
    TileKey key;
    BandRequest request;
};

struct RenderedBand {
    TileKey key;
    QImage image; // null when the strip could not be rendered
    QList<document::PictureFailure> failures;
};

// Renders page strips for the screen on one worker thread, one strip at a time. Each
// request replaces what is still waiting, so strips the user has scrolled past are dropped
// instead of delaying what is on screen now; the strip in progress is finished. Results come
// back on the owner's thread through bandRendered(). The document must not change while the
// worker holds it.
class RenderWorker : public QObject
{
    Q_OBJECT
public:
    RenderWorker(std::shared_ptr<const document::Document> document,
                 std::shared_ptr<const document::DocumentLayout> layout,
                 document::PictureSource::Decoder decoder, QObject* parent = nullptr);
    // Waits for the strip in progress, if any, then stops the thread.
    ~RenderWorker() override;

    void request(const std::vector<BandJob>& jobs);
    // Strips rendered since the start (for tests and the curious).
    int renderedCount() const;

signals:
    void bandRendered(const pagula::docwindow::RenderedBand& band);

private:
    void run();
    RenderedBand render(const BandJob& job) const;

    std::shared_ptr<const document::Document> document_;
    std::shared_ptr<const document::DocumentLayout> layout_;
    document::PictureSource::Decoder decoder_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<BandJob> pending_;
    std::optional<TileKey> inProgress_;
    int rendered_ = 0;
    bool stopping_ = false;
    std::thread thread_; // last: starts after everything it uses
};

} // namespace pagula::docwindow
