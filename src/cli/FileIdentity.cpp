#include "cli/FileIdentity.h"

#include "cli/TerminalText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QCoreApplication>
#include <climits>
#include <sys/stat.h>

namespace pagula::cli
{

FileIdentity::FileIdentity(const QString& path)
{
    // No file has a name this long, and nothing need be made of it: copies of an outside name
    // of any length would cost memory in proportion.
    if (path.size() >= PATH_MAX) {
        unnamable_ = true;
        return;
    }
    struct stat st {
    };
    if (!path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0) {
        exists_ = true;
        device_ = st.st_dev;
        inode_ = st.st_ino;
        return;
    }
    // Not there (yet): the folder it would be made in, resolved, and its name.
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    canonical_ = folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                  : QDir(folder).filePath(info.fileName());
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    if (unnamable_ || other.unnamable_ || exists_ != other.exists_)
        return false;
    if (exists_)
        return device_ == other.device_ && inode_ == other.inode_;
    return canonical_ == other.canonical_;
}

std::optional<QString> findSharedFile(const QList<NamedFile>& outputs,
                                      const QList<NamedFile>& inputs)
{
    QList<FileIdentity> inputIds;
    inputIds.reserve(inputs.size());
    for (const NamedFile& in : inputs)
        inputIds.append(FileIdentity(in.path));
    QList<FileIdentity> outputIds;
    for (const NamedFile& out : outputs) {
        const FileIdentity id(out.path);
        auto clash = [&](const NamedFile& other) {
            return QCoreApplication::translate(
                       "FileIdentity", "%1 %2 — тот же файл, что и %3 %4; он был бы перезаписан")
                .arg(out.role, shownName(out.path), other.role, shownName(other.path));
        };
        for (qsizetype k = 0; k < outputIds.size(); ++k)
            if (outputIds[k] == id)
                return clash(outputs[k]);
        for (qsizetype k = 0; k < inputIds.size(); ++k)
            if (inputIds[k] == id)
                return clash(inputs[k]);
        outputIds.append(id);
    }
    return std::nullopt;
}

} // namespace pagula::cli
