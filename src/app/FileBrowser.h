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

namespace pagula
{
class GradientButton;
}

namespace pagula::app
{

// The main window's file browser Panel4: the drive drop-down DriveComboBox1 in the header
// strip Panel5, the folder tree DirectoryListBox1, the splitter Splitter5 under it, the strip
// Panel11 with "Добавить >>>" (GradBtn1), the file list FileListBox1 (several files selectable,
// popup menu PopupMenu1 with "Добавить") and the filter drop-down FilterComboBox1 in Panel7.
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

    QListView* fileList() const { return FileListBox1; }
    QComboBox* filterCombo() const { return FilterComboBox1; }
    QComboBox* driveCombo() const { return DriveComboBox1; }
    QTreeView* folderTree() const { return DirectoryListBox1; }
    GradientButton* addButton() const { return GradBtn1; }
    QMenu* popupMenu() const { return PopupMenu1; }

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
    void DriveComboBox1Change(int index);
    void FilterComboBox1Change(int index);
    void showVolumeInTree(const QString& root);
    void hideOtherVolumes();
    void selectFolderInTree(const QString& folder);

    BevelPanel* Panel5;
    QComboBox* DriveComboBox1;
    QSplitter* folderSplit_; // its handle is Splitter5
    QTreeView* DirectoryListBox1;
    BevelPanel* Panel11;
    GradientButton* GradBtn1;
    QListView* FileListBox1;
    QMenu* PopupMenu1;
    QAction* N1;
    BevelPanel* Panel7;
    QComboBox* FilterComboBox1;

    QFileSystemModel* folders_;
    QFileSystemModel* files_;
    std::vector<Volume> volumes_;
    QString volumeRoot_;
    QString folder_;
};

} // namespace pagula::app
