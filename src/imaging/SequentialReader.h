#pragma once

#include "imaging/ByteSource.h"

namespace pagula::imaging
{

// Forward reading over a ByteSource through a window, for walking chains of segments (JPEG
// markers, PNG chunks, GIF blocks) without a system call per byte.
class SequentialReader
{
public:
    SequentialReader(const ByteSource& source, qint64 start) : source_(source), pos_(start) {}

    qint64 pos() const { return pos_; }
    bool atEnd() const { return pos_ >= source_.size(); }

    // The next byte, or -1 at the end.
    int byte()
    {
        if (pos_ < windowStart_ || pos_ >= windowStart_ + window_.size()) {
            windowStart_ = pos_;
            window_ = source_.read(pos_, windowSize);
            if (window_.isEmpty())
                return -1;
        }
        return quint8(window_[pos_++ - windowStart_]);
    }

    // Up to n bytes (fewer at the end); the position advances by n in any case.
    QByteArray take(qint64 n)
    {
        QByteArray out = source_.read(pos_, n);
        pos_ += n;
        return out;
    }

    void skip(qint64 n) { pos_ += n; }

private:
    static constexpr qint64 windowSize = 16 * 1024;
    const ByteSource& source_;
    qint64 pos_;
    QByteArray window_;
    qint64 windowStart_ = 0;
};

} // namespace pagula::imaging
