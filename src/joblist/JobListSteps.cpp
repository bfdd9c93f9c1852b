#include "joblist/JobListSteps.h"

namespace pagula::joblist
{

namespace
{

// The positions of placed rows (a template: the rows' type is the model's own).
template <class Placed> std::vector<int> positions(const Placed& rows)
{
    std::vector<int> at;
    at.reserve(rows.size());
    for (const auto& row : rows)
        at.push_back(row.first);
    return at;
}

} // namespace

MarksStep::MarksStep(JobListModel& model, const QString& text, JobListModel::Marks before,
                     JobListModel::Marks after)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)),
      bytes_(before_.rows.size() + after_.rows.size())
{
    model_.stepKept(bytes_);
}

MarksStep::~MarksStep()
{
    model_.stepKept(-bytes_);
}

void MarksStep::undo()
{
    model_.restoreMarks(before_);
}

void MarksStep::redo()
{
    if (done_) {
        done_ = false;
        return;
    }
    model_.restoreMarks(after_);
}

RowsStep::RowsStep(JobListModel& model, const QString& text, JobListModel::PlacedRows removed,
                   JobListModel::PlacedRows added, std::pair<int, int> tagBeforeAfter,
                   std::pair<int, int> currentBeforeAfter)
    : QUndoCommand(text), model_(model), removed_(std::move(removed)), added_(std::move(added)),
      tag_(tagBeforeAfter), current_(currentBeforeAfter),
      bytes_(qint64(removed_.size() + added_.size()) *
             qint64(sizeof(JobListModel::PlacedRows::value_type)))
{
    model_.stepKept(bytes_);
}

RowsStep::~RowsStep()
{
    model_.stepKept(-bytes_);
}

void RowsStep::undo()
{
    model_.applyRows(positions(added_), removed_, tag_.first, current_.first);
}

void RowsStep::redo()
{
    if (done_) {
        done_ = false;
        return;
    }
    model_.applyRows(positions(removed_), added_, tag_.second, current_.second);
}

} // namespace pagula::joblist
