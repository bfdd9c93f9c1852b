#pragma once

#include <QImage>

#include <list>
#include <map>
#include <tuple>

namespace pagula::docwindow
{

// A rendered strip of a page at one device scale (device pixels per point).
struct TileKey {
    int page = 0;
    int band = 0;
    double deviceScale = 1.0;

    bool operator<(const TileKey& other) const
    {
        return std::tie(page, band, deviceScale) <
               std::tie(other.page, other.band, other.deviceScale);
    }
    bool operator==(const TileKey& other) const
    {
        return page == other.page && band == other.band && deviceScale == other.deviceScale;
    }
};

// Rendered strips, least recently used first out, within a byte budget. What the current
// frame shows is never evicted (see newFrame()), so a screen that needs more than the
// budget still settles instead of rendering the same strips over and over; the excess goes
// at the next frame that does not show it.
class TileCache
{
public:
    explicit TileCache(qint64 budgetBytes);

    // Starts a frame: tiles found or inserted from now on stay until the next frame.
    void newFrame();
    // The tile, marked as used in this frame; nullptr when it is not cached. A tile whose
    // rendering failed is cached as a null image, so it is not rendered again and again.
    const QImage* find(const TileKey& key);
    bool contains(const TileKey& key) const { return entries_.count(key) != 0; }
    void insert(const TileKey& key, QImage image);
    void clear();

    int size() const { return static_cast<int>(entries_.size()); }
    qint64 bytes() const { return bytes_; }
    qint64 budget() const { return budget_; }

private:
    struct Entry {
        TileKey key;
        QImage image;
        qint64 bytes = 0;
        quint64 frame = 0;
    };
    using Order = std::list<Entry>; // most recently used first

    void evict();

    qint64 budget_;
    qint64 bytes_ = 0;
    quint64 frame_ = 1;
    Order order_;
    std::map<TileKey, Order::iterator> entries_;
};

} // namespace pagula::docwindow
