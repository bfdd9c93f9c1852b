#include "cli/StagedOutputs.h"

#include "cli/OutputTarget.h"
#include "cli/TerminalText.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <QCoreApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::cli
{

namespace
{

QByteArray bytes(const QString& path)
{
    return QFile::encodeName(path);
}

bool exists(const QString& path)
{
    struct stat st {
    };
    return ::lstat(bytes(path).constData(), &st) == 0;
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Staged files that a run killed while writing left in this folder: named as ours are, by a
// process that is gone, and the user's own.
void removeLeftovers(const QDir& folder)
{
    static const QRegularExpression stagedName(QStringLiteral("^\\.pagula-(\\d+)-\\d+"));
    const QStringList names =
        folder.entryList({QStringLiteral(".pagula-*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = stagedName.match(name);
        const QByteArray path = bytes(folder.filePath(name));
        struct stat st {
        };
        if (match.hasMatch() && ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::getuid() && ::kill(pid_t(match.captured(1).toLongLong()), 0) != 0 &&
            errno == ESRCH)
            ::unlink(path.constData());
    }
}

} // namespace

StagedOutputs::~StagedOutputs()
{
    discard();
}

void StagedOutputs::discard()
{
    for (const Item& item : items_) {
        ::unlink(bytes(item.staged).constData());
        if (!item.backup.isEmpty())
            ::unlink(bytes(item.backup).constData());
    }
    items_.clear();
}

QString StagedOutputs::stage(const QString& target)
{
    // A symlink is written through, as a save in place would: its target is replaced.
    const QFileInfo info(resolveOutput(target).resolved);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QDir folder = info.dir();
    removeLeftovers(folder);
    QString staged;
    for (int n = 0;; ++n) {
        staged = folder.filePath(
            QStringLiteral(".pagula-%1-%2%3").arg(::getpid()).arg(items_.size() + n).arg(suffix));
        if (!exists(staged))
            break;
    }
    items_.append({info.filePath(), staged, {}});
    return staged;
}

void StagedOutputs::commit()
{
    for (Item& item : items_) {
        struct stat st {
        };
        if (::stat(bytes(item.target).constData(), &st) != 0)
            continue;
        item.replaces = true;
        // The owner first: a change of owner clears the set-user-ID and set-group-ID bits.
        const QByteArray staged = bytes(item.staged);
        if (::chown(staged.constData(), st.st_uid, st.st_gid) != 0 ||
            ::chmod(staged.constData(), st.st_mode & 07777) != 0)
            throw common::Error(
                QCoreApplication::translate("StagedOutputs",
                                            "Невозможно передать %1 владельца и права доступа %2: "
                                            "%3; ни один файл результата не изменён")
                    .arg(shownName(item.staged), shownName(item.target), reason(errno)));
        if (items_.size() > 1) {
            item.backup = item.staged + QStringLiteral(".old");
            if (::link(bytes(item.target).constData(), bytes(item.backup).constData()) != 0)
                item.backup.clear(); // no hard links here: the move is not undone
        }
    }
    for (qsizetype i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        if (::rename(bytes(item.staged).constData(), bytes(item.target).constData()) == 0)
            continue;
        const int error = errno;
        for (qsizetype k = 0; k < i; ++k) {
            const Item& done = items_[k];
            if (!done.backup.isEmpty())
                ::rename(bytes(done.backup).constData(), bytes(done.target).constData());
            else if (!done.replaces)
                ::unlink(bytes(done.target).constData());
        }
        throw common::Error(
            QCoreApplication::translate(
                "StagedOutputs",
                "Невозможно записать файл %1: %2; ни один файл результата не изменён")
                .arg(shownName(item.target), reason(error)));
    }
    for (Item& item : items_) {
        if (!item.backup.isEmpty())
            ::unlink(bytes(item.backup).constData());
        item.backup.clear();
        item.staged.clear();
    }
    items_.clear();
}

} // namespace pagula::cli
