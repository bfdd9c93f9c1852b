#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace pagula::imaging
{

// Random access to picture bytes, so that header parsers can follow offsets (a TIFF directory
// often sits at the end of the file) without reading the whole file.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    // Up to len bytes from offset: fewer at the end of the source, none from past it.
    virtual QByteArray read(qint64 offset, qint64 len) const = 0;
};

class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(QByteArray bytes) : bytes_(std::move(bytes)) {}
    qint64 size() const override { return bytes_.size(); }
    QByteArray read(qint64 offset, qint64 len) const override
    {
        if (offset < 0 || len <= 0 || offset >= bytes_.size())
            return {};
        return bytes_.mid(offset, qMin(len, bytes_.size() - offset));
    }

private:
    QByteArray bytes_;
};

} // namespace pagula::imaging
