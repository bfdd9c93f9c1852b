#include "joblist/ui/JobListView.h"

#include "common/Paths.h"
#include "joblist/JobListFile.h"
#include "joblist/JobListGeometry.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListDelegate.h"
#include "joblist/ui/JobListFileDialog.h"
#include "widgets/ErrorReport.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace pagula::joblist
{

JobListView::JobListView(JobListModel* model, QWidget* parent)
    : QListView(parent), model_(model), delegate_(new JobListDelegate(this)),
      popup_(new QMenu(this)), cropMode_([] { return CropMode::OneSide; }),
      chooseFile_([this](JobListFileChoice choice) { return chooseJobListFile(this, choice); }),
      jobListFile_(common::jobListFilePath())
{
    setObjectName(QStringLiteral("jobList"));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // Files and folders from a file manager; the view sorts them out on the drop.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setFlow(QListView::TopToBottom);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(delegate_);

    // The area below the last row shows the list colour too.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, JobListDelegate::ListColour);
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);

    QAction* save = popup_->addAction(QCoreApplication::translate("JobListView", "Сохранить"), this,
                                      [this] { saveList(); });
    save->setObjectName(QStringLiteral("saveListAction"));
    QAction* load = popup_->addAction(QCoreApplication::translate("JobListView", "Загрузить"), this,
                                      [this] { loadList(); });
    load->setObjectName(QStringLiteral("loadListAction"));
    popup_->addSeparator();
    QAction* saveAs =
        popup_->addAction(QCoreApplication::translate("JobListView", "Сохранить список как..."),
                          this, [this] { saveListAs(); });
    saveAs->setObjectName(QStringLiteral("saveListAsAction"));
    QAction* open =
        popup_->addAction(QCoreApplication::translate("JobListView", "Открыть список..."), this,
                          [this] { openList(); });
    open->setObjectName(QStringLiteral("openListAction"));
    QAction* clear =
        popup_->addAction(QCoreApplication::translate("JobListView", "Очистить список"), this,
                          [this] { clearList(); });
    clear->setObjectName(QStringLiteral("clearListAction"));
    popup_->addSeparator();
    // Added to the view as well, so that their keys work wherever the focus is in the window.
    QAction* undo = model_->undoStack()->createUndoAction(
        this, QCoreApplication::translate("JobListView", "Отменить"));
    undo->setObjectName(QStringLiteral("undoListAction"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = model_->undoStack()->createRedoAction(
        this, QCoreApplication::translate("JobListView", "Повторить"));
    redo->setObjectName(QStringLiteral("redoListAction"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        popup_->addAction(action);
        addAction(action);
    }
    popup_->setObjectName(QStringLiteral("jobListMenu"));

    setModel(model_);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                model_->setCurrentRow(current.isValid() ? current.row() : -1);
            });
    connect(model_, &JobListModel::currentRowChanged, this, &JobListView::followModelCurrent);
    connect(model_, &QAbstractItemModel::modelReset, this, &JobListView::followModelCurrent);
    followModelCurrent();
    updateRowWidth();
}

void JobListView::followModelCurrent()
{
    const int row = model_->currentRow();
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(row);
    if (selectionModel()->currentIndex() != index || !selectionModel()->isSelected(index))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void JobListView::setDisplayColumns(int columns)
{
    columns_ = std::clamp(columns, 1, 3);
    if (columns_ == 1) {
        setWrapping(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        setWrapping(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    setFlow(QListView::TopToBottom);
    updateRowWidth();
    scheduleDelayedItemsLayout();
}

void JobListView::updateRowWidth()
{
    if (columns_ == 1) {
        setGridSize(QSize());
        delegate_->setRowWidth(viewport()->width());
    } else {
        const int w = JobListGeometry::columnWidth(width(), columns_);
        setGridSize(QSize(w, JobListGeometry::RowHeight));
        delegate_->setRowWidth(w);
    }
}

void JobListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    updateRowWidth();
}

void JobListView::mousePressEvent(QMouseEvent* event)
{
    onMousePressed(event->button(), event->position().toPoint());
}

void JobListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like the first.
    onMousePressed(event->button(), event->position().toPoint());
}

void JobListView::onMousePressed(Qt::MouseButton button, const QPoint& pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return; // below the last row: nothing at all, not even a repaint
    // Only a left press makes the row current; other buttons leave the current entry.
    if (button == Qt::LeftButton)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);

    if (JobListGeometry::inCropZone(pos.x())) {
        model_->cycleCropCode(index.row(), cropMode_());
    } else {
        emit previewRefreshRequested();
        viewport()->update();
    }

    if (button == Qt::LeftButton && JobListGeometry::tickBoxRect(visualRect(index)).contains(pos))
        onTickToggled(index.row());
}

void JobListView::onTickToggled(int row)
{
    model_->toggleTick(row);
}

void JobListView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space) {
        // The list's own tick toggle; not passed on, so Ctrl+Space cannot unselect the row.
        if (model_->currentRow() >= 0)
            onTickToggled(model_->currentRow());
        return;
    }
    onKeyPressed(key);
    QListView::keyPressEvent(event);
}

void JobListView::onKeyPressed(int key)
{
    if (key == Qt::Key_Insert)
        model_->insertBlank();
    else if (key == Qt::Key_Delete)
        model_->deleteCurrent();
}

void JobListView::contextMenuEvent(QContextMenuEvent* event)
{
    popup_->popup(event->globalPos());
}

bool JobListView::saveList()
{
    return widgets::runGuarded(this, [this] {
        saveJobListFile(jobListFile_, model_->entries());
        model_->markSaved();
    });
}

bool JobListView::loadList()
{
    return widgets::runGuarded(this, [this] { loadFrom(jobListFile_); });
}

void JobListView::loadFrom(const QString& path)
{
    // A whole document in the file (written by hand) comes in page by page.
    const PagedEntries paged =
        expandDocuments(loadJobListFile(path), model_->pageLister(), UnreadableDocument::Keep);
    model_->replaceEntries(paged.entries);
    if (!paged.problems.isEmpty())
        widgets::ErrorReport::show(this, paged.problems.join(QLatin1Char('\n')));
    // The list is now the file's: nothing in it to lose on closing.
    model_->markSaved();
}

bool JobListView::saveListAs()
{
    bool saved = false;
    widgets::runGuarded(this, [&] {
        const QString path = chooseFile_(JobListFileChoice::Save);
        if (path.isEmpty())
            return;
        saveJobListFile(path, model_->entries());
        model_->markSaved();
        saved = true;
    });
    return saved;
}

bool JobListView::openList()
{
    bool opened = false;
    widgets::runGuarded(this, [&] {
        const QString path = chooseFile_(JobListFileChoice::Open);
        if (path.isEmpty())
            return;
        loadFrom(path);
        opened = true;
    });
    return opened;
}

void JobListView::clearList()
{
    model_->clear();
}

// Every drop is taken, so that one the list cannot use still gets its message.
void JobListView::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
}

void JobListView::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void JobListView::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>{};
    // File managers also send the URLs as text; only a drop without any URL is something else.
    const bool otherContent = urls.isEmpty();
    event->acceptProposedAction();
    emit dropped(urls, otherContent);
}

} // namespace pagula::joblist
