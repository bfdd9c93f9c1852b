#pragma once

#include "imaging/ByteSource.h"

#include <QString>

namespace pagula::imaging
{

// A picture file opened for reading. Only regular files are accepted, and opening never waits:
// a FIFO, a device or a folder in a picture's place fails with "Cannot open file %s" instead
// of hanging the program.
class PictureFile final : public ByteSource
{
public:
    explicit PictureFile(const QString& path); // throws ImageError
    ~PictureFile() override;
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    const QString& path() const { return path_; }
    // The open file, for readers that take a file of their own (poppler reads a PDF lazily).
    int descriptor() const { return fd_; }
    qint64 size() const override { return size_; }
    QByteArray read(qint64 offset, qint64 len) const override;
    // The whole file; files beyond limits::maxFileBytes are refused without being read.
    QByteArray readAll() const;

private:
    QString path_;
    int fd_ = -1;
    qint64 size_ = 0;
};

} // namespace pagula::imaging
