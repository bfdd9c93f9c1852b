#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace pagula::common
{

// The program keeps its temporary folders in one folder of its own: "pagula" in the user's
// runtime folder ($XDG_RUNTIME_DIR), or "pagula-<user id>" in the system's temporary folder. Each
// run's folder is named after its process ("run-<pid>-XXXXXX"), so that a run killed before it
// could remove its folder leaves it where a later run finds and removes it.

// The folder of the program's temporary folders, made (private to the user) when missing;
// empty when there is none to be had that belongs to this user alone.
QString temporaryFoldersRoot();

// A new temporary folder for this process among the program's own, removed with the
// program's folder (when nothing else is left in it) when the object goes. In the system's
// temporary folder when the program's own cannot be had.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    bool isValid() const { return dir_->isValid(); }
    QString errorString() const { return dir_->errorString(); }
    QString path() const { return dir_->path(); }
    QString filePath(const QString& name) const { return dir_->filePath(name); }
    // Removes the folder now.
    bool remove();

private:
    QString root_;
    std::unique_ptr<QTemporaryDir> dir_;
};

std::unique_ptr<TemporaryFolder> makeTemporaryFolder();

// Removes the folders that runs now ended left behind: only folders named as a run's, owned by
// this user, whose process is gone. Returns how many were removed.
int removeStaleTemporaryFolders();
// Removes this process's own temporary folders, for an end that skips their owners' cleanup.
void removeOwnTemporaryFolders();

} // namespace pagula::common
