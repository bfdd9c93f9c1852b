#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <sys/types.h>

namespace pagula::cli
{

// What makes two names the same file: the device and inode of a file that exists (so symlinks,
// symlinked folders, hard links, "." and ".." all count), otherwise the canonical folder and
// the name in it. A name longer than any path is the same as nothing.
class FileIdentity
{
public:
    explicit FileIdentity(const QString& path);

    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }

private:
    bool unnamable_ = false;
    bool exists_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    QString canonical_;
};

struct NamedFile {
    QString role; // "the job list", "input picture", "OUTPUT", "the back side (--back)"
    QString path;
};

// The first pair where an output is one of the inputs or an earlier output: a message naming
// both, or nothing when every output is a file of its own.
std::optional<QString> findSharedFile(const QList<NamedFile>& outputs,
                                      const QList<NamedFile>& inputs);

} // namespace pagula::cli
