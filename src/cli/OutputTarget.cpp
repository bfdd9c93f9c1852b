#include "cli/OutputTarget.h"

#include "cli/TerminalText.h"
#include "common/Error.h"

#include <QFile>
#include <QFileInfo>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace pagula::cli
{

namespace
{

// As many links as the system follows in one name.
constexpr int maxLinks = 40;
// Room for the name StagedOutputs gives the file it writes beside the target.
constexpr qsizetype stagedNameBytes = 40;

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

common::Error cannotWrite(const QString& path, const QString& why)
{
    return common::Error(QCoreApplication::translate("OutputTarget", "Невозможно записать %1: %2")
                             .arg(shownName(path), why));
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("OutputTarget", "это папка");
    if (S_ISFIFO(mode) || S_ISSOCK(mode))
        return QCoreApplication::translate("OutputTarget", "это канал или сокет, а не файл");
    return QCoreApplication::translate("OutputTarget", "это устройство, а не файл");
}

QString userName(uid_t uid)
{
    const passwd* user = ::getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
}

bool inGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(std::max(count, 0)));
    const int got = ::getgroups(int(groups.size()), groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(got, 0), group) !=
           groups.begin() + std::max(got, 0);
}

} // namespace

OutputTarget resolveOutput(const QString& path)
{
    QString current = path;
    for (int hop = 0;; ++hop) {
        const QByteArray name = QFile::encodeName(current);
        struct stat st {
        };
        if (::lstat(name.constData(), &st) != 0) {
            const int error = errno;
            if (error != ENOENT)
                throw cannotWrite(path, reason(error));
            return {current};
        }
        if (!S_ISLNK(st.st_mode))
            return {current, true, st.st_uid, st.st_gid, st.st_mode, st.st_nlink};
        if (hop == maxLinks)
            throw cannotWrite(path, reason(ELOOP));
        char target[PATH_MAX];
        const ssize_t length = ::readlink(name.constData(), target, sizeof target);
        if (length < 0 || length == ssize_t(sizeof target))
            throw cannotWrite(path, reason(length < 0 ? errno : ENAMETOOLONG));
        const QString next = QFile::decodeName(QByteArray(target, length));
        const QString folder = QFileInfo(current).path();
        current = next.startsWith(QLatin1Char('/')) || folder == QLatin1String(".")
                      ? next
                      : folder + QLatin1Char('/') + next;
    }
}

OutputTarget checkOutput(const QString& path, QStringList* warnings)
{
    const OutputTarget target = resolveOutput(path);
    if (target.exists && !S_ISREG(target.mode))
        throw cannotWrite(path, kindOf(target.mode));

    const QFileInfo written(target.resolved);
    const qsizetype folderBytes = QFile::encodeName(written.path()).size();
    if (folderBytes + 1 + std::max(QFile::encodeName(written.fileName()).size(), stagedNameBytes) >=
        PATH_MAX)
        throw cannotWrite(path, reason(ENAMETOOLONG));

    const QString suffix = QFileInfo(path).suffix();
    if (written.suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        throw common::Error(
            QCoreApplication::translate(
                "OutputTarget",
                "Невозможно записать %1: это ссылка на %2, у которого расширение не .%3")
                .arg(shownName(path), shownName(target.resolved), suffix));
    if (!target.exists)
        return target;

    // The new file replaces the old one: it takes the old one's owner, group and mode, which
    // only the superuser may give away.
    const uid_t me = ::geteuid();
    if (me != 0 && target.owner != me)
        throw common::Error(
            QCoreApplication::translate(
                "OutputTarget",
                "Невозможно заменить %1: он принадлежит %2, а новый файл принадлежал бы %3")
                .arg(shownName(path), userName(target.owner), userName(me)));
    if (me != 0 && !inGroup(target.group))
        throw common::Error(QCoreApplication::translate(
                                "OutputTarget", "Невозможно заменить %1: его группа (%2) не из "
                                                "ваших, и новый файл не смог бы её сохранить")
                                .arg(shownName(path))
                                .arg(target.group));
    if (target.links > 1)
        warnings->append(
            QCoreApplication::translate(
                "OutputTarget",
                "у %1 есть другие жёсткие ссылки (%2), они сохранят прежнее содержимое")
                .arg(shownName(path))
                .arg(target.links - 1));
    return target;
}

} // namespace pagula::cli
