#pragma once

#include "joblist/CropMode.h"
#include "joblist/DocumentPages.h"
#include "joblist/JobEntry.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QStringList>
#include <QUndoStack>
#include <utility>
#include <vector>

namespace pagula::joblist
{

// The job list: entries in order, each with its tick, the current entry and the ticked count
// (the count the list keeps beside the entries and shows under the tick buttons). Every command
// of the list lives here, each one linear in the number of entries, so the widgets only forward
// user actions. Every command that changes the list is a step of undoStack(): the tick and
// crop commands keep the ticks and crop codes of all rows (a byte a row), the others the rows
// they add or remove, so undoing a deletion brings the rows back where they were.
class JobListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        CropCodeRole = Qt::UserRole + 1, // the crop code as a one-character string
    };

    explicit JobListModel(QObject* parent = nullptr);

    // The views ask for an index per row on every layout; answered without further virtual calls.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Qt::CheckStateRole toggles the tick with the single-tick bookkeeping.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int size() const { return static_cast<int>(rows_.size()); }
    // An empty entry for a row outside the list.
    JobEntry entry(int row) const;
    bool isTicked(int row) const;
    JobEntries entries() const;
    // The entries a composition run takes, in list order.
    JobEntries tickedEntries() const;

    // Kept up to date by every command, by adding or subtracting per changed entry or by a
    // recount, exactly as each command prescribes.
    int tickedCount() const { return tag_; }
    QString tickedCountLabel() const;

    // -1 when there is no current entry.
    int currentRow() const { return current_; }
    // A row outside the list means "no current entry".
    void setCurrentRow(int row);

    // Appends folder + "/" (when the folder does not end with one) + name, with no crop, for each
    // name, ticked. Names whose full path holds a line break cannot be stored in the job list file
    // and are refused; their full paths are returned. A document file comes in page by page when
    // a page lister is set; one that cannot be read is left out, and its message (like that of
    // a document cut short) goes to `problems`. The label is rewritten even when nothing was
    // added. The current entry does not change.
    QStringList appendFiles(const QString& folder, const QStringList& names,
                            QStringList* problems = nullptr);

    // How the pages of document files are found; without it they come in as one entry each.
    void setPageLister(PageLister lister) { pageLister_ = std::move(lister); }
    const PageLister& pageLister() const { return pageLister_; }

    // Replaces the whole list (loading the job list file): all unticked, count 0, the first
    // entry current.
    void replaceEntries(const JobEntries& entries);
    // "Очистить список": no entries.
    void clear();

    // Sets a crop code in place; tick and current entry stay.
    void setCropCode(int row, QChar code);

    // The tick buttons.
    void tickAll();
    void untickAll();
    void invertTicks();
    void tickEvenPositions(); // rows 0, 2, 4 ...; other ticks stay
    void tickOddPositions();  // rows 1, 3, 5 ...; other ticks stay
    void removeTicked();

    // A single tick changed by the user (click on the tick box, Space on the current row).
    void toggleTick(int row);

    // The crop commands of the crop tab set.
    void selectAllCrops(CropMode mode);
    void resetCrops();

    // A press in the crop zone of a row.
    void cycleCropCode(int row, CropMode mode);

    // The Insert and Delete keys.
    void insertBlank();
    void deleteCurrent();

    // The list's edits, to undo and redo (Ctrl+Z, the popup menu): the last UndoSteps, as long
    // as what they keep stays within UndoBudgetBytes; past it the earlier history is dropped.
    QUndoStack* undoStack() { return &undo_; }
    static constexpr int UndoSteps = 100;
    static constexpr qint64 UndoBudgetBytes = 64 * 1024 * 1024;
    // The list as it stands is in a file: just saved or loaded.
    void markSaved();
    // Entries that would be lost: the list changed since it was last saved or loaded.
    bool hasUnsavedChanges() const;

signals:
    // The count label was rewritten (also when the count did not change).
    void tickedCountLabelChanged(const QString& text);
    void currentRowChanged(int row);
    // Entries, ticks or crop codes changed.
    void listChanged();

private:
    friend class MarksStep;
    friend class RowsStep;

    struct Row {
        JobEntry entry;
        bool ticked = false;
    };
    // The ticks and crop codes of all rows, a byte a row, with the ticked count.
    struct Marks {
        QByteArray rows;
        int tag = 0;
    };
    using PlacedRows = std::vector<std::pair<int, Row>>;

    Marks marks() const;
    void restoreMarks(const Marks& marks);
    // Runs a command that changes ticks or crop codes only, as one step named `text`.
    template <class Change> void marksStep(const QString& text, Change change);
    // Removes the rows at `remove` (ascending), then puts `insert` at their positions in the
    // result (ascending); one reset of the views. Linear in the list.
    void applyRows(const std::vector<int>& remove, const PlacedRows& insert, int tag, int current);
    // Replaces all rows by the entries, unticked, as one step named `text`.
    void replaceRows(const JobEntries& entries, const QString& text);
    // Records rows a command removed (positions before it) and added (positions after it).
    void pushRowsStep(const QString& text, PlacedRows removed, PlacedRows added, int tagBefore,
                      int currentBefore);
    void pushStep(QUndoCommand* step);
    // The steps count what they keep here, from their making to their end.
    void stepKept(qint64 bytes) { stepBytes_ += bytes; }

    void rewriteLabel();
    void changeCurrent(int row);
    void announceCurrent(int row);
    void allRowsChanged(const QList<int>& roles);

    std::vector<Row> rows_;
    PageLister pageLister_;
    int tag_ = 0;
    int current_ = -1;
    bool reshaping_ = false;
    qint64 stepBytes_ = 0;
    bool unsavedWithoutHistory_ = false;
    QUndoStack undo_; // last: its steps count themselves out of stepBytes_ as they go
};

} // namespace pagula::joblist
