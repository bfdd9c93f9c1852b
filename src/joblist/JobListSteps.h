#pragma once

#include "joblist/JobListModel.h"

#include <QUndoCommand>

namespace pagula::joblist
{

// A step of the job list's undo stack that changed ticks or crop codes: the marks of all rows
// before and after. Pushed after the command has run, so its first redo does nothing.
class MarksStep : public QUndoCommand
{
public:
    MarksStep(JobListModel& model, const QString& text, JobListModel::Marks before,
              JobListModel::Marks after);
    ~MarksStep() override;
    void undo() override;
    void redo() override;

private:
    JobListModel& model_;
    JobListModel::Marks before_;
    JobListModel::Marks after_;
    qint64 bytes_;
    bool done_ = true;
};

// A step that removed and added rows: the removed rows at their positions before it, the
// added ones at their positions after it, and the ticked count and current entry on both
// sides. Pushed after the command has run.
class RowsStep : public QUndoCommand
{
public:
    RowsStep(JobListModel& model, const QString& text, JobListModel::PlacedRows removed,
             JobListModel::PlacedRows added, std::pair<int, int> tagBeforeAfter,
             std::pair<int, int> currentBeforeAfter);
    ~RowsStep() override;
    void undo() override;
    void redo() override;

private:
    JobListModel& model_;
    JobListModel::PlacedRows removed_;
    JobListModel::PlacedRows added_;
    std::pair<int, int> tag_;
    std::pair<int, int> current_;
    qint64 bytes_;
    bool done_ = true;
};

} // namespace pagula::joblist
