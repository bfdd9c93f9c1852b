#include "joblist/JobListFile.h"

#include "common/Error.h"
#include "joblist/JobEntry.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::joblist {

namespace {

constexpr QChar ByteOrderMark(0xFEFF);

QString cannotOpen(const QString& path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

// Appends a line as an entry unless it is empty; a line without a crop code at its end gets "0".
void takeLine(QStringList& entries, QStringView line)
{
    if (line.isEmpty())
        return;
    QString entry = line.toString();
    if (!isCropCode(entry.back()))
        entry.append(NoCrop);
    entries.append(std::move(entry));
}

// Closes the descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

QStringList parseJobListText(const QByteArray& bytes, int maxEntries)
{
    qsizetype end = bytes.indexOf('\0');
    if (end < 0)
        end = bytes.size();
    QByteArrayView view(bytes.constData(), end);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Our own BOM handling above; the decoder must keep a second one as a character.
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decode(view);

    QStringList entries;
    const QChar* data = text.constData();
    const qsizetype n = text.size();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < n && entries.size() <= maxEntries; ++i) {
        const QChar c = data[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        takeLine(entries, QStringView(data + lineStart, i - lineStart));
        if (c == QLatin1Char('\r') && i + 1 < n && data[i + 1] == QLatin1Char('\n'))
            ++i;
        lineStart = i + 1;
    }
    if (entries.size() <= maxEntries && lineStart < n)
        takeLine(entries, QStringView(data + lineStart, n - lineStart));
    return entries;
}

QByteArray serializeJobList(const QStringList& entries)
{
    QByteArray bytes;
    if (!entries.isEmpty() && entries.front().startsWith(ByteOrderMark))
        bytes.append("\xEF\xBB\xBF");
    for (const QString& e : entries) {
        Q_ASSERT(!hasLineBreak(e));
        bytes.append(e.toUtf8());
        bytes.append("\r\n");
    }
    return bytes;
}

bool writeJobList(QIODevice& device, const QStringList& entries)
{
    const QByteArray bytes = serializeJobList(entries);
    return device.write(bytes) == bytes.size();
}

void saveJobListFile(const QString& path, const QStringList& entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !writeJobList(file, entries) || !file.commit())
        throw Error(QStringLiteral("Cannot create file %1").arg(path));
}

QStringList loadJobListFile(const QString& path)
{
    // Non-blocking, so a FIFO put in the file's place cannot stall the program on open; fstat
    // on the opened descriptor then refuses anything but a regular file.
    const QByteArray name = QFile::encodeName(path);
    FileDescriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (path.isEmpty() || fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw Error(cannotOpen(path));
    const QString tooLarge = cannotOpen(path) + QStringLiteral(": it is larger than 64 MiB");
    if (st.st_size > MaxJobListFileBytes)
        throw Error(tooLarge);

    // The file may grow while it is read: read at most one byte over the limit.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(st.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > MaxJobListFileBytes)
                throw Error(tooLarge);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxJobListFileBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Error(cannotOpen(path));
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);

    QStringList entries = parseJobListText(bytes);
    if (entries.size() > MaxJobListEntries)
        throw Error(cannotOpen(path) + QStringLiteral(": it holds more than %1 entries").arg(MaxJobListEntries));
    return entries;
}

} // namespace pagula::joblist
