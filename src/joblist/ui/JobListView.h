#pragma once

#include "joblist/CropMode.h"
#include "joblist/ui/JobListFileDialog.h"

#include <QList>
#include <QListView>
#include <QUrl>
#include <functional>

class QMenu;
class QAction;

namespace pagula::joblist
{

class JobListDelegate;
class JobListModel;

// The job list on screen: rows drawn by JobListDelegate, a press in the crop zone cycles an
// entry's crop code, other presses ask for a preview refresh, the tick box toggles the tick,
// Insert and Delete add a blank entry or remove the current one, Space toggles the current tick,
// one to three display columns, the popup menu that saves and loads the job list file and
// named lists, clears the list and undoes and redoes its edits (Ctrl+Z, Ctrl+Shift+Z in the
// whole window), and drops from a file manager.
// The list's current entry lives in the model; the view follows it and reports the user's moves.
class JobListView : public QListView
{
    Q_OBJECT
public:
    explicit JobListView(JobListModel* model, QWidget* parent = nullptr);

    JobListModel* jobList() const { return model_; }
    JobListDelegate* delegate() const { return delegate_; }

    // The crop mode is chosen on the crop tab set; the view asks for it at each press.
    void setCropModeSource(std::function<CropMode()> source) { cropMode_ = std::move(source); }

    // 1: one column scrolling vertically; 2 or 3: columns filled top to bottom, then left to
    // right, scrolling horizontally.
    void setDisplayColumns(int columns);
    int displayColumns() const { return columns_; }

    // The job list file that "Сохранить" and "Загрузить" use (the program's own by default).
    void setJobListFile(const QString& path) { jobListFile_ = path; }
    QString jobListFile() const { return jobListFile_; }

    QMenu* popupMenu() const { return popup_; }

    // The popup menu's commands; the saves and loads report a failure and return false.
    bool saveList();
    bool loadList();
    // Named lists in the same format, chosen through a file dialog.
    bool saveListAs();
    bool openList();
    // "Очистить список"; undone as every edit of the list is, by "Отменить" (Ctrl+Z).
    void clearList();

    // Asks for the file of "Сохранить список как..." and "Открыть список..."; empty cancels.
    // The file dialog by default.
    using FileChooser = std::function<QString(JobListFileChoice choice)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

signals:
    // A press outside the crop zone: the preview shows the current entry again.
    void previewRefreshRequested();
    // Something was dropped on the list: its URLs; otherContent when it held none.
    void dropped(const QList<QUrl>& urls, bool otherContent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void onMousePressed(Qt::MouseButton button, const QPoint& pos);
    void onKeyPressed(int key);
    void onTickToggled(int row);
    void followModelCurrent();
    void updateRowWidth();
    // Replaces the list by the job list file's entries, a whole document page by page.
    void loadFrom(const QString& path);

    JobListModel* model_;
    JobListDelegate* delegate_;
    QMenu* popup_;
    std::function<CropMode()> cropMode_;
    FileChooser chooseFile_;
    QString jobListFile_;
    int columns_ = 1;
};

} // namespace pagula::joblist
