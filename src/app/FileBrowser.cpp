#include "app/FileBrowser.h"

#include "app/FileFilters.h"
#include "app/Splitter.h"
#include "app/WindowColours.h"
#include "widgets/ButtonLooks.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

namespace pagula::app
{

namespace
{
constexpr int HeaderHeight = 18;
constexpr int FolderTreeHeight = 136;
constexpr int AddStripHeight = 15;
constexpr int FilterStripHeight = 23;

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}
} // namespace

FileBrowser::FileBrowser(QWidget* parent)
    : BevelPanel(parent), folders_(new QFileSystemModel(this)), files_(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("Panel4"));
    setBevels(Bevel::Raised, Bevel::Lowered);
    setColor(WindowColours::window());
    // The splitters decide the width; what does not fit is cut off, not pushed wider.
    setMinimumSize(1, 1);
    resize(Width, height());

    buildHeader();
    buildFolderTree();
    buildFileList();
    buildFilterStrip();

    auto* lower = new QWidget;
    auto* lowerColumn = new QVBoxLayout(lower);
    lowerColumn->setContentsMargins(0, 0, 0, 0);
    lowerColumn->setSpacing(0);
    lowerColumn->addWidget(Panel11);
    lowerColumn->addWidget(FileListBox1, 1);

    folderSplit_ = new Splitter(Qt::Vertical, this);
    folderSplit_->setObjectName(QStringLiteral("FolderSplit"));
    folderSplit_->addWidget(DirectoryListBox1);
    folderSplit_->addWidget(lower);
    folderSplit_->setStretchFactor(0, 0);
    folderSplit_->setStretchFactor(1, 1);
    folderSplit_->setSizes({FolderTreeHeight, 400});
    folderSplit_->handle(1)->setObjectName(QStringLiteral("Splitter5"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel5);
    column->addWidget(folderSplit_, 1);
    column->addWidget(Panel7);

    fillVolumes();
    FilterComboBox1Change(0);
    setFolder(QDir::currentPath());
}

void FileBrowser::buildHeader()
{
    Panel5 = new BevelPanel(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setBevels(Bevel::Raised, Bevel::Lowered);
    Panel5->setColor(WindowColours::window());
    Panel5->setFixedHeight(HeaderHeight);
    QFont bold = font();
    bold.setBold(true);
    Panel5->setFont(bold);
    QPalette black = Panel5->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Panel5->setPalette(black);
    Panel5->setCaption(QStringLiteral("Диск:"), Qt::AlignLeft);

    DriveComboBox1 = new QComboBox(Panel5);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setFont(bold);
    DriveComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    DriveComboBox1->setMinimumContentsLength(4);
    DriveComboBox1->setFixedHeight(HeaderHeight - 2 * Panel5->bevelDepth());
    WindowColours::paintAsEdit(*DriveComboBox1);
    auto* row = new QHBoxLayout(Panel5);
    row->setContentsMargins(34, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(DriveComboBox1);
    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
        runGuarded(window(), [this, index] { DriveComboBox1Change(index); });
    });
}

void FileBrowser::buildFolderTree()
{
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setReadOnly(true);

    DirectoryListBox1 = new QTreeView;
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(folders_);
    DirectoryListBox1->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    DirectoryListBox1->setIndentation(10);
    DirectoryListBox1->setUniformRowHeights(true);
    DirectoryListBox1->setMinimumHeight(1);
    WindowColours::paintAsEdit(*DirectoryListBox1);

    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    runGuarded(window(),
                               [this, current] { setFolder(folders_->filePath(current)); });
            });
    // The tree fills in as folders are read; keep the current folder in sight meanwhile.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        const QString loaded = cleanAbsolute(path);
        if (folder_ == loaded || folder_.startsWith(loaded + QLatin1Char('/')) ||
            loaded == QDir::rootPath())
            DirectoryListBox1->scrollTo(folders_->index(folder_));
    });
    connect(folders_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (parent == DirectoryListBox1->rootIndex())
            hideOtherVolumes();
    });
}

void FileBrowser::buildFileList()
{
    Panel11 = new BevelPanel;
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setBevels(Bevel::None, Bevel::None);
    Panel11->setColor(WindowColours::window());
    Panel11->setFixedHeight(AddStripHeight);
    GradBtn1 = new GradientButton(Panel11);
    GradBtn1->setObjectName(QStringLiteral("GradBtn1"));
    GradBtn1->setCaption(QStringLiteral("Добавить >>>"));
    applyButtonLook(*GradBtn1, ButtonLook::AddFiles);
    GradBtn1->setGeometry(0, 0, 162, 16);
    connect(GradBtn1, &GradientButton::clicked, this, &FileBrowser::addRequested);

    files_->setFilter(QDir::Files);
    files_->setNameFilterDisables(false);
    files_->setReadOnly(true);

    FileListBox1 = new QListView;
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setModel(files_);
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileListBox1->setUniformItemSizes(true);
    FileListBox1->setToolTip(QStringLiteral("Добавление - правая кнопка мыши"));
    FileListBox1->setMinimumHeight(1);
    WindowColours::paintAsEdit(*FileListBox1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("Добавить"));
    N1->setObjectName(QStringLiteral("N1"));
    connect(N1, &QAction::triggered, this, &FileBrowser::addRequested);
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(FileListBox1->viewport()->mapToGlobal(at));
    });
    connect(FileListBox1, &QAbstractItemView::doubleClicked, this, &FileBrowser::addRequested);

    connect(files_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (cleanAbsolute(path) != folder_)
            return;
        files_->sort(0);
        emit fileListLoaded(folder_);
    });
}

void FileBrowser::buildFilterStrip()
{
    Panel7 = new BevelPanel(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setBevels(Bevel::None, Bevel::None);
    Panel7->setColor(WindowColours::window());
    Panel7->setFixedHeight(FilterStripHeight);

    FilterComboBox1 = new QComboBox(Panel7);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    for (const FileFilter& filter : pictureFileFilters())
        FilterComboBox1->addItem(filter.name, filter.masks);
    FilterComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FilterComboBox1->setMinimumContentsLength(4);
    WindowColours::paintAsEdit(*FilterComboBox1);
    auto* row = new QHBoxLayout(Panel7);
    row->setContentsMargins(1, 1, 1, 1);
    row->addWidget(FilterComboBox1);
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
        runGuarded(window(), [this, index] { FilterComboBox1Change(index); });
    });
}

void FileBrowser::fillVolumes()
{
    volumes_ = mountedVolumes();
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->clear();
    for (const Volume& volume : volumes_)
        DriveComboBox1->addItem(volumeText(volume), volume.rootPath);
}

void FileBrowser::DriveComboBox1Change(int index)
{
    if (index < 0 || index >= int(volumes_.size()))
        return;
    setFolder(volumes_[size_t(index)].rootPath);
}

void FileBrowser::FilterComboBox1Change(int index)
{
    if (index < 0)
        return;
    files_->setNameFilters(nameFilters(FilterComboBox1->itemData(index).toString()));
}

QStringList FileBrowser::masks() const
{
    return files_->nameFilters();
}

void FileBrowser::setFolder(const QString& folder)
{
    const QString path = cleanAbsolute(folder);
    if (path == folder_)
        return;
    folder_ = path;

    const int volume = volumeIndexFor(volumes_, path);
    const QString root = volume >= 0 ? volumes_[size_t(volume)].rootPath : QDir::rootPath();
    if (root != volumeRoot_)
        showVolumeInTree(root);
    {
        const QSignalBlocker quiet(DriveComboBox1);
        DriveComboBox1->setCurrentIndex(volume);
    }
    selectFolderInTree(path);

    FileListBox1->clearSelection();
    FileListBox1->setRootIndex(files_->setRootPath(path));
}

void FileBrowser::showVolumeInTree(const QString& root)
{
    volumeRoot_ = root;
    folders_->setRootPath(root);
    // The tree starts at the volume's root folder itself; the folders beside it (other volumes'
    // parents) stay out of sight.
    const QModelIndex rootIndex = folders_->index(root);
    DirectoryListBox1->setRootIndex(rootIndex.parent());
    hideOtherVolumes();
}

void FileBrowser::hideOtherVolumes()
{
    const QModelIndex parent = DirectoryListBox1->rootIndex();
    const QModelIndex rootIndex = folders_->index(volumeRoot_);
    for (int row = 0; row < folders_->rowCount(parent); ++row)
        DirectoryListBox1->setRowHidden(row, parent, folders_->index(row, 0, parent) != rootIndex);
}

void FileBrowser::selectFolderInTree(const QString& folder)
{
    const QModelIndex index = folders_->index(folder);
    if (!index.isValid())
        return;
    const QSignalBlocker quiet(DirectoryListBox1->selectionModel());
    DirectoryListBox1->selectionModel()->setCurrentIndex(index,
                                                         QItemSelectionModel::ClearAndSelect);
    DirectoryListBox1->scrollTo(index);
    DirectoryListBox1->expand(index);
    DirectoryListBox1->viewport()->update();
}

QStringList FileBrowser::fileNames() const
{
    QStringList names;
    const QModelIndex root = FileListBox1->rootIndex();
    for (int row = 0; row < files_->rowCount(root); ++row)
        names.append(files_->fileName(files_->index(row, 0, root)));
    return names;
}

} // namespace pagula::app
