#pragma once

#include "app/BevelPanel.h"
#include "app/Volumes.h"

#include <QStringList>

#include <vector>

class QComboBox;
class QFileSystemModel;
class QListView;
class QMenu;
class QAction;
class QSplitter;
class QTreeView;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::app
{

// The main window's file browser: the drive drop-down in the header strip, the folder tree, a
// splitter under it, the strip with "Добавить >>>", the file list (several files selectable,
// popup menu with "Добавить") and the filter drop-down in the bottom strip.
//
// Choosing a volume moves the folder tree to its root; choosing a folder refills the file list;
// choosing a filter sets the file list's masks. "Добавить >>>", "Добавить" and a double click
// in the file list all ask for the selected files to be added.
class FileBrowser : public BevelPanel
{
    Q_OBJECT
public:
    static constexpr int Width = 166;

    explicit FileBrowser(QWidget* parent = nullptr);

    // The folder whose files the list shows.
    QString currentFolder() const { return folder_; }
    // Shows a folder: the drive drop-down and the folder tree follow it.
    void setFolder(const QString& folder);

    // The names the file list shows, in its order (the listing may still be loading).
    QStringList fileNames() const;
    // The file list's masks, as the chosen filter gives them.
    QStringList masks() const;

    QListView* fileList() const { return fileList_; }
    QComboBox* filterCombo() const { return filterCombo_; }
    QComboBox* driveCombo() const { return driveCombo_; }
    QTreeView* folderTree() const { return folderTree_; }
    widgets::GradientButton* addButton() const { return addButton_; }
    QMenu* popupMenu() const { return fileListMenu_; }

signals:
    // "Добавить": the files selected in the file list are to be added to the job list.
    void addRequested();
    // The file list has read the current folder (and sorted it).
    void fileListLoaded(const QString& folder);

private:
    void buildHeader();
    void buildFolderTree();
    void buildFileList();
    void buildFilterStrip();
    void fillVolumes();
    void onDriveChosen(int index);
    void onFilterChosen(int index);
    void showVolumeInTree(const QString& root);
    void hideOtherVolumes();
    void selectFolderInTree(const QString& folder);

    BevelPanel* driveStrip_;
    QComboBox* driveCombo_;
    QSplitter* folderPanes_; // its handle is folderSplitter
    QTreeView* folderTree_;
    BevelPanel* addButtonStrip_;
    widgets::GradientButton* addButton_;
    QListView* fileList_;
    QMenu* fileListMenu_;
    QAction* addAction_;
    BevelPanel* filterStrip_;
    QComboBox* filterCombo_;

    QFileSystemModel* folders_;
    QFileSystemModel* files_;
    std::vector<Volume> volumes_;
    QString volumeRoot_;
    QString folder_;
};

} // namespace pagula::app
