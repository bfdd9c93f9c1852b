#pragma once

#include <QList>
#include <QString>

namespace pagula::cli
{

// The run's output files, written under temporary names beside their targets and moved into
// place together once all were written: a run replaces all its outputs or none. Staged files
// not committed are removed when this goes.
class StagedOutputs
{
public:
    StagedOutputs() = default;
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;

    // A name, free at this moment, in the target's folder with the target's extension, for a
    // writer to create. A target that is a symlink is followed: the file it leads to is the one
    // replaced, and the link stays.
    QString stage(const QString& target);

    // Moves every staged file over its target, keeping a replaced file's owner, group and
    // permissions. When a
    // move fails, the targets already moved get their previous files back. Throws
    // pagula::common::Error with the reason.
    void commit();

    // Removes every staged file now, as when the run is abandoned.
    void discard();

private:
    struct Item {
        QString target;
        QString staged;
        QString backup; // hard link to the previous target while committing
        bool replaces = false;
    };
    QList<Item> items_;
};

} // namespace pagula::cli
