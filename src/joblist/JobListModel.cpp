#include "joblist/JobListModel.h"

#include "joblist/JobEntry.h"
#include "joblist/JobListSteps.h"
#include <QCoreApplication>

namespace pagula::joblist
{

namespace
{
// Marks a change of the list's rows for the time it runs.
class Reshaping
{
public:
    explicit Reshaping(bool& flag) : flag_(flag) { flag_ = true; }
    ~Reshaping() { flag_ = false; }
    Reshaping(const Reshaping&) = delete;
    Reshaping& operator=(const Reshaping&) = delete;

private:
    bool& flag_;
};
} // namespace

JobListModel::JobListModel(QObject* parent) : QAbstractListModel(parent)
{
    undo_.setUndoLimit(UndoSteps);
}

JobListModel::Marks JobListModel::marks() const
{
    // Bit 7: the tick; below it the crop profile.
    Marks m;
    m.rows.resize(static_cast<qsizetype>(rows_.size()));
    char* out = m.rows.data();
    for (const Row& r : rows_)
        *out++ = char((r.ticked ? 0x80 : 0) | (r.entry.cropProfile & 0x7f));
    m.tag = tag_;
    return m;
}

void JobListModel::restoreMarks(const Marks& m)
{
    if (m.rows.size() != static_cast<qsizetype>(rows_.size()))
        return; // cannot happen: the steps undo in order
    const char* in = m.rows.constData();
    for (Row& r : rows_) {
        const auto byte = static_cast<unsigned char>(*in++);
        r.ticked = (byte & 0x80) != 0;
        r.entry.cropProfile = byte & 0x7f;
    }
    tag_ = m.tag;
    rewriteLabel();
    allRowsChanged({Qt::CheckStateRole, CropCodeRole});
}

template <class Change> void JobListModel::marksStep(const QString& text, Change change)
{
    Marks before = marks();
    change();
    Marks after = marks();
    if (after.rows != before.rows || after.tag != before.tag)
        pushStep(new MarksStep(*this, text, std::move(before), std::move(after)));
}

void JobListModel::applyRows(const std::vector<int>& remove, const PlacedRows& insert, int tag,
                             int current)
{
    std::vector<Row> kept;
    kept.reserve(rows_.size() - std::min(rows_.size(), remove.size()));
    size_t r = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (r < remove.size() && static_cast<size_t>(remove[r]) == i) {
            ++r;
            continue;
        }
        kept.push_back(std::move(rows_[i]));
    }
    std::vector<Row> result;
    result.reserve(kept.size() + insert.size());
    size_t k = 0;
    for (const auto& [at, row] : insert) {
        while (result.size() < static_cast<size_t>(at) && k < kept.size())
            result.push_back(std::move(kept[k++]));
        result.push_back(row);
    }
    while (k < kept.size())
        result.push_back(std::move(kept[k++]));
    {
        const Reshaping reshaping(reshaping_);
        beginResetModel();
        rows_ = std::move(result);
        tag_ = tag;
        current_ = current >= 0 && current < size() ? current : -1;
        endResetModel();
    }
    rewriteLabel();
    announceCurrent(current_);
    emit listChanged();
}

void JobListModel::pushRowsStep(const QString& text, PlacedRows removed, PlacedRows added,
                                int tagBefore, int currentBefore)
{
    if (removed.empty() && added.empty())
        return;
    pushStep(new RowsStep(*this, text, std::move(removed), std::move(added), {tagBefore, tag_},
                          {currentBefore, current_}));
}

void JobListModel::pushStep(QUndoCommand* step)
{
    // Over the budget, the history goes: a list of 100,000 entries loaded again and again
    // would otherwise keep every earlier list.
    if (stepBytes_ > UndoBudgetBytes) {
        unsavedWithoutHistory_ = hasUnsavedChanges();
        undo_.clear();
    }
    undo_.push(step);
}

bool JobListModel::hasUnsavedChanges() const
{
    return !rows_.empty() && (!undo_.isClean() || unsavedWithoutHistory_);
}

void JobListModel::markSaved()
{
    unsavedWithoutHistory_ = false;
    undo_.setClean();
}

QModelIndex JobListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= size() || column != 0 || parent.isValid())
        return QModelIndex();
    return createIndex(row, 0);
}

int JobListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant JobListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& r = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return r.entry.shownText();
    case Qt::CheckStateRole:
        return r.ticked ? Qt::Checked : Qt::Unchecked;
    case CropCodeRole:
        return QString(r.entry.cropCode());
    default:
        return {};
    }
}

bool JobListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool ticked = value.value<Qt::CheckState>() != Qt::Unchecked;
    if (ticked != isTicked(index.row()))
        toggleTick(index.row());
    return true;
}

Qt::ItemFlags JobListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemNeverHasChildren;
}

JobEntry JobListModel::entry(int row) const
{
    return row >= 0 && row < size() ? rows_[static_cast<size_t>(row)].entry : JobEntry();
}

bool JobListModel::isTicked(int row) const
{
    return row >= 0 && row < size() && rows_[static_cast<size_t>(row)].ticked;
}

JobEntries JobListModel::entries() const
{
    JobEntries list;
    list.reserve(size());
    for (const Row& r : rows_)
        list.append(r.entry);
    return list;
}

JobEntries JobListModel::tickedEntries() const
{
    JobEntries list;
    for (const Row& r : rows_) {
        if (r.ticked)
            list.append(r.entry);
    }
    return list;
}

QString JobListModel::tickedCountLabel() const
{
    return tickedCountText(tag_);
}

void JobListModel::setCurrentRow(int row)
{
    // While rows move, views shift their own current row; the command sets the final one.
    if (reshaping_)
        return;
    changeCurrent(row >= 0 && row < size() ? row : -1);
}

void JobListModel::changeCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(current_);
}

void JobListModel::announceCurrent(int row)
{
    // After rows moved, a view may have shifted its own current row on its own; the list
    // decides, and says so even when its number did not change.
    current_ = row;
    emit currentRowChanged(current_);
}

void JobListModel::rewriteLabel()
{
    emit tickedCountLabelChanged(tickedCountLabel());
}

void JobListModel::allRowsChanged(const QList<int>& roles)
{
    if (rows_.empty())
        return;
    emit dataChanged(index(0), index(size() - 1), roles);
    emit listChanged();
}

QStringList JobListModel::appendFiles(const QString& folder, const QStringList& names,
                                      QStringList* problems)
{
    const QString prefix = filePathIn(folder, QString());
    const bool prefixBreaks = hasLineBreak(prefix);
    QStringList refused;
    JobEntries files;
    files.reserve(names.size());
    for (const QString& name : names) {
        if (prefixBreaks || hasLineBreak(name))
            refused.append(prefix + name);
        else
            files.append(JobEntry{prefix + name, 0});
    }
    PagedEntries paged = expandDocuments(files, pageLister_, UnreadableDocument::Drop);
    if (problems != nullptr)
        problems->append(paged.problems);
    std::vector<Row> added;
    added.reserve(static_cast<size_t>(paged.entries.size()));
    for (JobEntry& entry : paged.entries)
        added.push_back(Row{std::move(entry), true});
    if (!added.empty()) {
        const int tagBefore = tag_;
        const int first = size();
        PlacedRows step;
        step.reserve(added.size());
        for (size_t i = 0; i < added.size(); ++i)
            step.emplace_back(first + static_cast<int>(i), added[i]);
        {
            const Reshaping reshaping(reshaping_);
            beginInsertRows(QModelIndex(), first, first + static_cast<int>(added.size()) - 1);
            rows_.insert(rows_.end(), std::make_move_iterator(added.begin()),
                         std::make_move_iterator(added.end()));
            tag_ += static_cast<int>(added.size());
            endInsertRows();
        }
        pushRowsStep(QCoreApplication::translate("JobListModel", "добавление рисунков"), {},
                     std::move(step), tagBefore, current_);
        emit listChanged();
    }
    rewriteLabel();
    return refused;
}

void JobListModel::replaceEntries(const JobEntries& entries)
{
    replaceRows(entries, QCoreApplication::translate("JobListModel", "загрузку списка"));
}

void JobListModel::clear()
{
    replaceRows({}, QCoreApplication::translate("JobListModel", "очистку списка"));
}

void JobListModel::replaceRows(const JobEntries& entries, const QString& stepText)
{
    const int tagBefore = tag_;
    const int currentBefore = current_;
    PlacedRows removed;
    {
        const Reshaping reshaping(reshaping_);
        beginResetModel();
        // The old rows go into the step as they are.
        removed.reserve(rows_.size());
        for (size_t i = 0; i < rows_.size(); ++i)
            removed.emplace_back(static_cast<int>(i), std::move(rows_[i]));
        rows_.clear();
        rows_.shrink_to_fit();
        rows_.reserve(static_cast<size_t>(entries.size()));
        for (const JobEntry& e : entries)
            rows_.push_back(Row{e, false});
        tag_ = 0;
        current_ = rows_.empty() ? -1 : 0;
        endResetModel();
    }
    PlacedRows added;
    added.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        added.emplace_back(static_cast<int>(i), rows_[i]);
    pushRowsStep(stepText, std::move(removed), std::move(added), tagBefore, currentBefore);
    rewriteLabel();
    announceCurrent(current_);
    emit listChanged();
}

void JobListModel::setCropCode(int row, QChar code)
{
    if (row < 0 || row >= size())
        return;
    marksStep(QCoreApplication::translate("JobListModel", "вид обрезки строки"), [&] {
        JobEntry& entry = rows_[static_cast<size_t>(row)].entry;
        entry = entry.withCropCode(code);
    });
    emit dataChanged(index(row), index(row));
    emit listChanged();
}

void JobListModel::tickAll()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Выделить все»"), [&] {
        for (Row& r : rows_)
            r.ticked = true;
        tag_ = size();
        rewriteLabel();
        allRowsChanged({Qt::CheckStateRole});
    });
}

void JobListModel::untickAll()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Сброс»"), [&] {
        for (Row& r : rows_)
            r.ticked = false;
        tag_ = 0;
        rewriteLabel();
        allRowsChanged({Qt::CheckStateRole});
    });
}

void JobListModel::invertTicks()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Инвертировать»"), [&] {
        for (Row& r : rows_)
            r.ticked = !r.ticked;
        tag_ = size() - tag_;
        rewriteLabel();
        allRowsChanged({Qt::CheckStateRole});
    });
}

void JobListModel::tickEvenPositions()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Четные»"), [&] {
        int count = 0;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (i % 2 == 0)
                rows_[i].ticked = true;
            count += rows_[i].ticked ? 1 : 0;
        }
        tag_ = count;
        rewriteLabel();
        allRowsChanged({Qt::CheckStateRole});
    });
}

void JobListModel::tickOddPositions()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Нечетные»"), [&] {
        int count = 0;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (i % 2 == 1)
                rows_[i].ticked = true;
            count += rows_[i].ticked ? 1 : 0;
        }
        tag_ = count;
        rewriteLabel();
        allRowsChanged({Qt::CheckStateRole});
    });
}

void JobListModel::removeTicked()
{
    // One compacting pass instead of searching from the top once per removed entry; the result
    // (order of the kept entries, the count, the current entry) is the same.
    size_t kept = 0;
    int removed = 0;
    int newCurrent = -1;
    const int tagBefore = tag_;
    const int currentBefore = current_;
    PlacedRows removedRows;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].ticked) {
            ++removed;
            removedRows.emplace_back(static_cast<int>(i), std::move(rows_[i]));
            continue;
        }
        if (static_cast<int>(i) == current_)
            newCurrent = static_cast<int>(kept);
        if (kept != i)
            rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    if (removed == 0) {
        rewriteLabel();
        return;
    }
    // Removed rows may be scattered; one reset keeps this linear where a signal per removed run
    // would make the views redo their bookkeeping once per run.
    {
        const Reshaping reshaping(reshaping_);
        beginResetModel();
        rows_.resize(kept);
        tag_ -= removed;
        current_ = newCurrent;
        endResetModel();
    }
    pushRowsStep(QCoreApplication::translate("JobListModel", "«Удалить»"), std::move(removedRows),
                 {}, tagBefore, currentBefore);
    rewriteLabel();
    announceCurrent(current_);
    emit listChanged();
}

void JobListModel::toggleTick(int row)
{
    if (row < 0 || row >= size())
        return;
    marksStep(QCoreApplication::translate("JobListModel", "отметку строки"), [&] {
        Row& r = rows_[static_cast<size_t>(row)];
        r.ticked = !r.ticked;
        tag_ += r.ticked ? 1 : -1;
    });
    rewriteLabel();
    emit dataChanged(index(row), index(row), {Qt::CheckStateRole});
    emit listChanged();
}

void JobListModel::selectAllCrops(CropMode mode)
{
    marksStep(QCoreApplication::translate("JobListModel", "«Выделить все» обрезки"), [&] {
        for (size_t i = 0; i < rows_.size(); ++i) {
            const bool second = mode == CropMode::TwoSide && i % 2 == 1;
            rows_[i].entry.cropProfile = second ? 2 : 1;
        }
        allRowsChanged({CropCodeRole});
    });
}

void JobListModel::resetCrops()
{
    marksStep(QCoreApplication::translate("JobListModel", "«Сброс» обрезки"), [&] {
        for (Row& r : rows_)
            r.entry.cropProfile = 0;
        allRowsChanged({CropCodeRole});
    });
}

void JobListModel::cycleCropCode(int row, CropMode mode)
{
    if (row < 0 || row >= size())
        return;
    int lastChanged = row;
    marksStep(QCoreApplication::translate("JobListModel", "вид обрезки строки"), [&] {
        Row& r = rows_[static_cast<size_t>(row)];
        const int c = r.entry.cropProfile;
        if (c == 0 && !r.ticked) {
            r.ticked = true;
            ++tag_;
            rewriteLabel();
        }
        if (mode == CropMode::OneSide) {
            r.entry.cropProfile = (c + 1) % 2;
            return;
        }
        const int next = (c + 1) % 3;
        r.entry.cropProfile = next;
        if (next == 0)
            return;
        // Keep the alternation below the changed row: swap the profile of every later
        // cropped entry.
        for (size_t j = static_cast<size_t>(row) + 1; j < rows_.size(); ++j) {
            int& profile = rows_[j].entry.cropProfile;
            if (profile == 1 || profile == 2) {
                profile = 3 - profile;
                lastChanged = static_cast<int>(j);
            }
        }
    });
    emit dataChanged(index(row), index(lastChanged));
    emit listChanged();
}

void JobListModel::insertBlank()
{
    const int p = current_;
    const int at = p < 0 ? size() : p;
    {
        const Reshaping reshaping(reshaping_);
        beginInsertRows(QModelIndex(), at, at);
        rows_.insert(rows_.begin() + at, Row{JobEntry::blank(), false});
        endInsertRows();
    }
    // The current entry stays the same entry, one row lower.
    if (p >= 0)
        announceCurrent(p + 1);
    pushRowsStep(QCoreApplication::translate("JobListModel", "вставку пустой страницы"), {},
                 {{at, Row{JobEntry::blank(), false}}}, tag_, p);
    emit listChanged();
}

void JobListModel::deleteCurrent()
{
    int p = current_;
    if (p < 0 || p >= size())
        return;
    const int tagBefore = tag_;
    const int currentBefore = p;
    PlacedRows removed{{p, rows_[static_cast<size_t>(p)]}};
    if (rows_[static_cast<size_t>(p)].ticked)
        --tag_;
    rewriteLabel();
    {
        const Reshaping reshaping(reshaping_);
        beginRemoveRows(QModelIndex(), p, p);
        rows_.erase(rows_.begin() + p);
        endRemoveRows();
    }
    if (p >= size())
        p = size() - 1;
    announceCurrent(p);
    pushRowsStep(QCoreApplication::translate("JobListModel", "удаление строки"), std::move(removed),
                 {}, tagBefore, currentBefore);
    emit listChanged();
}

} // namespace pagula::joblist
