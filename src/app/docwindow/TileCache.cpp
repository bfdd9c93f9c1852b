#include "app/docwindow/TileCache.h"

namespace pagula::docwindow
{

namespace
{
// What a failed tile's entry costs: it holds no pixels, but it is not free either.
constexpr qint64 NullTileBytes = 64;
} // namespace

TileCache::TileCache(qint64 budgetBytes) : budget_(budgetBytes) {}

void TileCache::newFrame()
{
    ++frame_;
    evict();
}

const QImage* TileCache::find(const TileKey& key)
{
    auto it = entries_.find(key);
    if (it == entries_.end())
        return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    it->second->frame = frame_;
    return &it->second->image;
}

void TileCache::insert(const TileKey& key, QImage image)
{
    auto found = entries_.find(key);
    if (found != entries_.end()) {
        bytes_ -= found->second->bytes;
        order_.erase(found->second);
        entries_.erase(found);
    }
    const qint64 cost = image.isNull() ? NullTileBytes : image.sizeInBytes();
    order_.push_front({key, std::move(image), cost, frame_});
    entries_[key] = order_.begin();
    bytes_ += cost;
    evict();
}

void TileCache::clear()
{
    order_.clear();
    entries_.clear();
    bytes_ = 0;
}

void TileCache::evict()
{
    // The list is ordered by use, so the first tile of this frame from the back ends the walk.
    while (bytes_ > budget_ && !order_.empty() && order_.back().frame != frame_) {
        bytes_ -= order_.back().bytes;
        entries_.erase(order_.back().key);
        order_.pop_back();
    }
}

} // namespace pagula::docwindow
