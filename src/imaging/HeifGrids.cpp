#include "imaging/HeifGrids.h"

#include <QtEndian>

#include <algorithm>
#include <optional>
#include <set>

namespace pagula::imaging
{

namespace
{

// A box's payload: [begin, end) in the file.
struct Span {
    qint64 begin = 0;
    qint64 end = 0;
};

class Reader
{
public:
    Reader(const QByteArray& bytes, Span span) : bytes_(bytes), pos_(span.begin), end_(span.end) {}
    bool ok() const { return ok_; }
    qint64 pos() const { return pos_; }
    // A big-endian number of `size` bytes (0 to 8); 0 and not ok past the end.
    quint64 number(int size)
    {
        quint64 v = 0;
        if (size < 0 || size > 8 || pos_ + size > end_) {
            ok_ = false;
            return 0;
        }
        for (int i = 0; i < size; ++i)
            v = v << 8 | quint8(bytes_[pos_ + i]);
        pos_ += size;
        return v;
    }
    // The children of the span: the next box's type and payload, until the end.
    std::optional<std::pair<QByteArray, Span>> nextBox()
    {
        const qint64 start = pos_;
        quint64 size = number(4);
        const QByteArray type = ok_ && pos_ + 4 <= end_ ? bytes_.mid(pos_, 4) : QByteArray();
        pos_ += 4;
        if (ok_ && size == 1)
            size = number(8);
        else if (size == 0)
            size = quint64(end_ - start);
        if (!ok_ || type.size() != 4 || size < quint64(pos_ - start) ||
            size > quint64(end_ - start))
            return std::nullopt;
        const Span payload{pos_, start + qint64(size)};
        pos_ = payload.end;
        return std::make_pair(type, payload);
    }

private:
    const QByteArray& bytes_;
    qint64 pos_;
    qint64 end_;
    bool ok_ = true;
};

std::optional<Span> child(const QByteArray& bytes, Span parent, const char* type)
{
    Reader r(bytes, parent);
    while (const auto box = r.nextBox())
        if (box->first == type)
            return box->second;
    return std::nullopt;
}

std::set<quint64> gridItems(const QByteArray& bytes, Span iinf)
{
    std::set<quint64> grids;
    Reader r(bytes, iinf);
    const int version = int(r.number(1));
    r.number(3);
    r.number(version == 0 ? 2 : 4); // entry count: the boxes tell
    while (const auto infe = r.nextBox()) {
        if (infe->first != "infe")
            continue;
        Reader e(bytes, infe->second);
        const int v = int(e.number(1));
        e.number(3);
        if (v < 2)
            continue;
        const quint64 id = e.number(v == 2 ? 2 : 4);
        e.number(2); // protection index
        if (e.ok() && e.pos() + 4 <= infe->second.end && bytes.mid(e.pos(), 4) == "grid")
            grids.insert(id);
    }
    return grids;
}

// The output sizes of the grid items among the iloc's items, appended to `sizes`.
void gridSizesFromIloc(const QByteArray& bytes, Span iloc, Span idat,
                       const std::set<quint64>& grids, bool withIndex, std::vector<QSize>& sizes)
{
    Reader r(bytes, iloc);
    const int version = int(r.number(1));
    r.number(3);
    const int sizes1 = int(r.number(1));
    const int sizes2 = int(r.number(1));
    const int offsetSize = sizes1 >> 4, lengthSize = sizes1 & 15, baseSize = sizes2 >> 4;
    const int indexSize = withIndex ? sizes2 & 15 : 0;
    const quint64 items = r.number(version < 2 ? 2 : 4);
    for (quint64 i = 0; i < items && r.ok(); ++i) {
        const quint64 id = r.number(version < 2 ? 2 : 4);
        const int method = version >= 1 ? int(r.number(2) & 15) : 0;
        r.number(2); // data reference
        const quint64 base = r.number(baseSize);
        const quint64 extents = r.number(2);
        quint64 offset = 0;
        for (quint64 k = 0; k < extents && r.ok(); ++k) {
            r.number(indexSize);
            const quint64 extentOffset = r.number(offsetSize);
            r.number(lengthSize);
            if (k == 0)
                offset = base + extentOffset;
        }
        if (!r.ok() || grids.count(id) == 0 || extents == 0 || (method != 0 && method != 1))
            continue;
        // libheif bounds reads from the idat by the box's whole size, header included, so a
        // grid may run up to a header's length past the idat's data into what follows it.
        const qint64 from = method == 1 ? idat.begin : 0;
        const qint64 limit =
            method == 1 ? std::min<qint64>(idat.end + 16, bytes.size()) : bytes.size();
        if (offset > quint64(limit - from))
            continue;
        Reader grid(bytes, {from + qint64(offset), limit});
        grid.number(1); // version
        const int field = (grid.number(1) & 1) ? 4 : 2;
        grid.number(2); // rows and columns, less one
        const quint64 width = grid.number(field), height = grid.number(field);
        if (grid.ok())
            sizes.emplace_back(int(std::min<quint64>(width, 0x7FFFFFFF)),
                               int(std::min<quint64>(height, 0x7FFFFFFF)));
    }
}

} // namespace

std::vector<QSize> heifGridSizes(const QByteArray& bytes)
{
    std::vector<QSize> sizes;
    const auto meta = child(bytes, {0, bytes.size()}, "meta");
    if (!meta || meta->end - meta->begin < 4)
        return sizes;
    const Span children{meta->begin + 4, meta->end}; // after version and flags
    const auto iinf = child(bytes, children, "iinf");
    const auto iloc = child(bytes, children, "iloc");
    if (!iinf || !iloc)
        return sizes;
    const std::set<quint64> grids = gridItems(bytes, *iinf);
    const Span idat = child(bytes, children, "idat").value_or(Span{});

    // A version 1 iloc has extent indices by the standard, but libheif reads them only from
    // version 2 on: both readings are checked, so that libheif's cannot slip past.
    const int version = int(Reader(bytes, *iloc).number(1));
    gridSizesFromIloc(bytes, *iloc, idat, grids, version >= 1, sizes);
    if (version == 1)
        gridSizesFromIloc(bytes, *iloc, idat, grids, false, sizes);
    return sizes;
}

} // namespace pagula::imaging
