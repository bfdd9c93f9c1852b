#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace pagula::cli
{

// The file an output name writes: the name with every symlink on it followed, as a save in
// place writes through a link (a dangling link gets its target made). What is there now decides
// how it is replaced.
struct OutputTarget {
    QString resolved;
    bool exists = false;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    nlink_t links = 0;
};

// Follows the symlinks of path. Throws pagula::common::Error with the system's reason when a
// name on the way is too long or the links loop.
OutputTarget resolveOutput(const QString& path);

// Checks made on an output before any work: what is there must be a regular file or nothing
// (never a folder, FIFO or device), its name must leave room for the file staged beside it, a
// link must lead to a name with the same extension, and a replaced file must be one whose owner
// and group the new file can keep. Throws pagula::common::Error naming the output and the
// reason; a replaced file that has other hard links, which keep the previous contents, adds a
// warning.
OutputTarget checkOutput(const QString& path, QStringList* warnings);

} // namespace pagula::cli
