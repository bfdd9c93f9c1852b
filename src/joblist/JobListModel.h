#pragma once

#include "joblist/CropMode.h"
#include "joblist/DocumentPages.h"
#include "joblist/JobEntry.h"

#include <QAbstractListModel>
#include <QStringList>
#include <vector>

namespace pagula::joblist
{

// The job list: entries in order, each with its tick, the current entry and the ticked count
// (the count the list keeps beside the entries and shows under the tick buttons). Every command
// of the list lives here, each one linear in the number of entries, so the widgets only forward
// user actions.
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

signals:
    // The count label was rewritten (also when the count did not change).
    void tickedCountLabelChanged(const QString& text);
    void currentRowChanged(int row);
    // Entries, ticks or crop codes changed.
    void listChanged();

private:
    struct Row {
        JobEntry entry;
        bool ticked = false;
    };

    void rewriteLabel();
    void changeCurrent(int row);
    void announceCurrent(int row);
    void allRowsChanged(const QList<int>& roles);

    std::vector<Row> rows_;
    PageLister pageLister_;
    int tag_ = 0;
    int current_ = -1;
    bool reshaping_ = false;
};

} // namespace pagula::joblist
