#include "imaging/PictureFile.h"

#include "imaging/ImageIO.h"
#include "imaging/Limits.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::imaging
{

namespace
{
ImageError cannotOpen(const QString& path, const QString& reason)
{
    return ImageError(QStringLiteral("Cannot open file %1: %2").arg(path, reason));
}

ImageError cannotOpen(const QString& path, int error)
{
    return cannotOpen(path, QString::fromLocal8Bit(std::strerror(error)));
}
} // namespace

PictureFile::PictureFile(const QString& path) : path_(path)
{
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait forever. The type is
    // checked on the open descriptor, so the file cannot be swapped between check and read.
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        throw cannotOpen(path, ENOENT);
    fd_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0)
        throw cannotOpen(path, errno);
    struct stat st {
    };
    if (::fstat(fd_, &st) != 0) {
        const int error = errno;
        ::close(fd_);
        throw cannotOpen(path, error);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd_);
        throw cannotOpen(path, S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder")
                                                   : QStringLiteral("it is not a regular file"));
    }
    size_ = st.st_size;
}

PictureFile::~PictureFile()
{
    ::close(fd_);
}

QByteArray PictureFile::read(qint64 offset, qint64 len) const
{
    if (offset < 0 || len <= 0 || offset >= size_)
        return {};
    len = qMin(len, size_ - offset);
    QByteArray out(len, Qt::Uninitialized);
    qint64 done = 0;
    while (done < len) {
        const ssize_t n = ::pread(fd_, out.data() + done, size_t(len - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the file shrank or cannot be read further: keep what arrived
        done += n;
    }
    out.truncate(done);
    return out;
}

QByteArray PictureFile::readAll() const
{
    if (size_ > limits::maxFileBytes)
        throw ImageError(
            QStringLiteral("Picture file %1 is too large (%2 bytes)").arg(path_).arg(size_));
    return read(0, size_);
}

} // namespace pagula::imaging
