#include "common/TemporaryFolders.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::common
{

namespace
{

const QString runPrefix = QStringLiteral("run-");

// A folder of this user's alone: a real folder (no link), owned by the user, closed to others.
bool ownedPrivateFolder(const QString& path)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

QString ensureFolder(const QString& path)
{
    // mkdir with mode 0700 fails when anything is there already; what is there must then pass
    // the same test as what was made.
    ::mkdir(QFile::encodeName(path).constData(), 0700);
    return ownedPrivateFolder(path) ? path : QString();
}

bool processGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QString temporaryFoldersRoot()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(QFile::decodeName(runtime))) {
        const QString root = ensureFolder(QFile::decodeName(runtime) + QStringLiteral("/pagula"));
        if (!root.isEmpty())
            return root;
    }
    return ensureFolder(QDir::tempPath() + QStringLiteral("/pagula-%1").arg(::getuid()));
}

TemporaryFolder::TemporaryFolder() : root_(temporaryFoldersRoot())
{
    if (!root_.isEmpty()) {
        dir_ = std::make_unique<QTemporaryDir>(
            QStringLiteral("%1/%2%3-XXXXXX").arg(root_, runPrefix).arg(::getpid()));
        if (dir_->isValid())
            return;
    }
    root_.clear();
    dir_ = std::make_unique<QTemporaryDir>();
}

TemporaryFolder::~TemporaryFolder()
{
    remove();
}

bool TemporaryFolder::remove()
{
    const bool removed = dir_->remove();
    // Fails, as it should, while another run's folder is in it.
    if (!root_.isEmpty())
        ::rmdir(QFile::encodeName(root_).constData());
    return removed;
}

std::unique_ptr<TemporaryFolder> makeTemporaryFolder()
{
    return std::make_unique<TemporaryFolder>();
}

namespace
{

// Removes the run folders whose process `remove` says to remove.
int removeRunFolders(const std::function<bool(qint64 pid)>& remove)
{
    const QString root = temporaryFoldersRoot();
    if (root.isEmpty())
        return 0;
    static const QRegularExpression runName(QStringLiteral("^run-(\\d+)-[^/]+$"));
    int removed = 0;
    const QDir dir(root);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QRegularExpressionMatch match = runName.match(name);
        const QString path = dir.filePath(name);
        struct stat st {
        };
        if (!match.hasMatch() || ::lstat(QFile::encodeName(path).constData(), &st) != 0 ||
            !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
            !remove(match.captured(1).toLongLong()))
            continue;
        if (QDir(path).removeRecursively())
            ++removed;
    }
    ::rmdir(QFile::encodeName(root).constData()); // when nothing is left in it
    return removed;
}

} // namespace

int removeStaleTemporaryFolders()
{
    return removeRunFolders(processGone);
}

void removeOwnTemporaryFolders()
{
    const qint64 own = ::getpid();
    removeRunFolders([own](qint64 pid) { return pid == own; });
}

} // namespace pagula::common
