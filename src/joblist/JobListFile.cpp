#include "joblist/JobListFile.h"

#include "common/DeviceWrite.h"
#include "common/Error.h"
#include "joblist/JobEntry.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::joblist
{

namespace
{

constexpr QChar ByteOrderMark(0xFEFF);

QString cannotOpen(const QString& path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

QString cannotOpen(const QString& path, int error)
{
    return cannotOpen(path) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

// Why a file that opened is not one the list can be read from.
QString notRegular(const QString& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return cannotOpen(path) + QStringLiteral(": it is a folder");
    if (S_ISFIFO(mode) || S_ISSOCK(mode))
        return cannotOpen(path) + QStringLiteral(": it is a pipe or socket, not a file");
    return cannotOpen(path) + QStringLiteral(": it is a device, not a file");
}

// Closes the descriptor on every way out.
class FileDescriptor
{
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

// Follows the lines of a file as it arrives, counting line ends as parseJobListText does, so
// that a line no path could fill is refused before the rest of the file is read.
class LineLengthGuard
{
public:
    // False once the line in progress is longer than MaxJobListLineBytes.
    bool feed(const char* bytes, qsizetype count)
    {
        for (qsizetype k = 0; k < count && !textEnded_; ++k) {
            const char c = bytes[k];
            if (c == '\0') {
                textEnded_ = true; // what follows is padding or refused by lineCutByNul
            } else if (c == '\r' || (c == '\n' && !afterCr_)) {
                ++line_;
                length_ = 0;
            } else if (c != '\n' && ++length_ > MaxJobListLineBytes) {
                return false;
            }
            afterCr_ = c == '\r';
        }
        return true;
    }
    int line() const { return line_; }

private:
    qint64 length_ = 0;
    int line_ = 1;
    bool afterCr_ = false;
    bool textEnded_ = false;
};

} // namespace

JobEntries parseJobListText(const QByteArray& bytes, int maxEntries)
{
    qsizetype end = bytes.indexOf('\0');
    if (end < 0)
        end = bytes.size();
    const char* p = bytes.constData();
    qsizetype i = 0;
    if (QByteArrayView(p, end).startsWith("\xEF\xBB\xBF"))
        i = 3;

    // Lines are split on the bytes: CR and LF never occur inside a UTF-8 sequence. Each line is
    // decoded straight into its entry's path; the decoder keeps a byte order mark within a line as
    // a character and turns bytes that are not UTF-8 into U+FFFD.
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
    JobEntries entries;
    while (i < end && entries.size() <= maxEntries) {
        qsizetype lineEnd = i;
        while (lineEnd < end && p[lineEnd] != '\r' && p[lineEnd] != '\n')
            ++lineEnd;
        if (lineEnd > i) {
            // A UTF-8 sequence never ends in an ASCII byte, so the crop code can be judged on
            // the last byte.
            const char last = p[lineEnd - 1];
            const bool hasCode = last == '0' || last == '1' || last == '2';
            const qsizetype pathEnd = hasCode ? lineEnd - 1 : lineEnd;
            entries.append(
                JobEntry{decode(QByteArrayView(p + i, pathEnd - i)), hasCode ? last - '0' : 0});
        }
        i = lineEnd;
        if (i < end && p[i] == '\r' && i + 1 < end && p[i + 1] == '\n')
            ++i;
        ++i;
    }
    return entries;
}

int lineCutByNul(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        return 0;
    // NUL bytes, blanks and line breaks after the text are padding (a file cut short by a
    // crash, a preallocated file); anything else after a NUL is an entry that would be lost.
    for (qsizetype i = nul; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\0' && c != '\r' && c != '\n' && c != ' ' && c != '\t')
            return 1 + int(std::count(bytes.constBegin(), bytes.constBegin() + nul, '\n'));
    }
    return 0;
}

QByteArray serializeJobList(const JobEntries& entries)
{
    // Encoded straight into one buffer sized for the worst case (3 bytes per UTF-16 unit).
    qsizetype room = 3;
    for (const JobEntry& e : entries)
        room += 3 * e.path.size() + 3;
    QByteArray bytes(room, Qt::Uninitialized);
    char* out = bytes.data();
    if (!entries.isEmpty() && entries.front().path.startsWith(ByteOrderMark))
        out = std::copy_n("\xEF\xBB\xBF", 3, out);
    QStringEncoder encode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    for (const JobEntry& e : entries) {
        Q_ASSERT(!hasLineBreak(e.path));
        out = encode.appendToBuffer(out, e.path);
        *out++ = char(e.cropCode().unicode());
        *out++ = '\r';
        *out++ = '\n';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

bool writeJobList(QIODevice& device, const JobEntries& entries)
{
    return common::writeFully(device, serializeJobList(entries));
}

void saveJobListFile(const QString& path, const JobEntries& entries)
{
    // Unbuffered: see common::writeFully.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeJobList(file, entries) ||
        !file.commit())
        throw common::Error(
            QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));
}

JobEntries loadJobListFile(const QString& path)
{
    // Non-blocking, so a FIFO put in the file's place cannot stall the program on open; fstat
    // on the opened descriptor then refuses anything but a regular file.
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty())
        throw common::Error(cannotOpen(path, ENOENT));
    FileDescriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {
    };
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0)
        throw common::Error(cannotOpen(path, errno));
    if (!S_ISREG(st.st_mode))
        throw common::Error(notRegular(path, st.st_mode));
    const QString tooLarge = cannotOpen(path) + QStringLiteral(": it is larger than 64 MiB");
    if (st.st_size > MaxJobListFileBytes)
        throw common::Error(tooLarge);

    // The file may grow while it is read: read at most one byte over the limit. It is read in
    // pieces, each checked for a line too long to be a path as it arrives.
    constexpr qsizetype piece = 64 * 1024;
    QByteArray bytes;
    bytes.resize(std::min<qsizetype>(static_cast<qsizetype>(st.st_size) + 1, 1024 * 1024));
    qsizetype filled = 0;
    LineLengthGuard lines;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > MaxJobListFileBytes)
                throw common::Error(tooLarge);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxJobListFileBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled,
                                   static_cast<size_t>(std::min(piece, bytes.size() - filled)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw common::Error(cannotOpen(path, errno));
        }
        if (got == 0)
            break;
        if (!lines.feed(bytes.constData() + filled, got))
            throw common::Error(QStringLiteral("Cannot open file %1: line %2 is longer than %3 "
                                               "bytes, longer than any file name")
                                    .arg(path)
                                    .arg(lines.line())
                                    .arg(MaxJobListLineBytes));
        filled += got;
    }
    bytes.truncate(filled);
    if (const int line = lineCutByNul(bytes))
        throw common::Error(
            cannotOpen(path) +
            QStringLiteral(": line %1 holds a NUL byte, which would cut the list there").arg(line));

    JobEntries entries = parseJobListText(bytes);
    if (entries.size() > MaxJobListEntries)
        throw common::Error(
            cannotOpen(path) +
            QStringLiteral(": it holds more than %1 entries").arg(MaxJobListEntries));
    return entries;
}

} // namespace pagula::joblist
