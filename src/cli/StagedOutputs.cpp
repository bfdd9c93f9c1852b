#include "cli/StagedOutputs.h"

#include "cli/TerminalText.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QCoreApplication>
#include <cerrno>
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

} // namespace

StagedOutputs::~StagedOutputs()
{
    for (const Item& item : items_) {
        ::unlink(bytes(item.staged).constData());
        if (!item.backup.isEmpty())
            ::unlink(bytes(item.backup).constData());
    }
}

QString StagedOutputs::stage(const QString& target)
{
    // A symlink is written through, as a save in place would.
    const QFileInfo link(target);
    const QString resolved = link.isSymLink() ? link.canonicalFilePath() : QString();
    const QFileInfo info(resolved.isEmpty() ? target : resolved);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QDir folder = info.dir();
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
        ::chmod(bytes(item.staged).constData(), st.st_mode & 07777);
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
