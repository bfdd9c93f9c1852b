#include "app/FileBrowser.h"

#include "app/FileFilters.h"
#include "app/Splitter.h"
#include "app/WindowColours.h"
#include "widgets/ButtonLooks.h"
#include "widgets/ErrorReport.h"
#include "widgets/GradientButton.h"

#include <QComboBox>
#include <QCoreApplication>
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
    setObjectName(QStringLiteral("fileBrowser"));
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
    lowerColumn->addWidget(addButtonStrip_);
    lowerColumn->addWidget(fileList_, 1);

    folderPanes_ = new Splitter(Qt::Vertical, this);
    folderPanes_->setObjectName(QStringLiteral("folderPanes"));
    folderPanes_->addWidget(folderTree_);
    folderPanes_->addWidget(lower);
    folderPanes_->setStretchFactor(0, 0);
    folderPanes_->setStretchFactor(1, 1);
    folderPanes_->setSizes({FolderTreeHeight, 400});
    folderPanes_->handle(1)->setObjectName(QStringLiteral("folderSplitter"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(driveStrip_);
    column->addWidget(folderPanes_, 1);
    column->addWidget(filterStrip_);

    fillVolumes();
    onFilterChosen(0);
    setFolder(QDir::currentPath());
}

void FileBrowser::buildHeader()
{
    driveStrip_ = new BevelPanel(this);
    driveStrip_->setObjectName(QStringLiteral("driveStrip"));
    driveStrip_->setBevels(Bevel::Raised, Bevel::Lowered);
    driveStrip_->setColor(WindowColours::window());
    driveStrip_->setFixedHeight(HeaderHeight);
    QFont bold = font();
    bold.setBold(true);
    driveStrip_->setFont(bold);
    QPalette black = driveStrip_->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    driveStrip_->setPalette(black);
    driveStrip_->setCaption(QCoreApplication::translate("FileBrowser", "Диск:"), Qt::AlignLeft);

    driveCombo_ = new QComboBox(driveStrip_);
    driveCombo_->setObjectName(QStringLiteral("driveCombo"));
    driveCombo_->setFont(bold);
    driveCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    driveCombo_->setMinimumContentsLength(4);
    driveCombo_->setFixedHeight(HeaderHeight - 2 * driveStrip_->bevelDepth());
    WindowColours::paintAsEdit(*driveCombo_);
    auto* row = new QHBoxLayout(driveStrip_);
    row->setContentsMargins(34, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(driveCombo_);
    connect(driveCombo_, &QComboBox::activated, this, [this](int index) {
        widgets::runGuarded(window(), [this, index] { onDriveChosen(index); });
    });
}

void FileBrowser::buildFolderTree()
{
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setReadOnly(true);

    folderTree_ = new QTreeView;
    folderTree_->setObjectName(QStringLiteral("folderTree"));
    folderTree_->setModel(folders_);
    folderTree_->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        folderTree_->hideColumn(column);
    folderTree_->setIndentation(10);
    folderTree_->setUniformRowHeights(true);
    folderTree_->setMinimumHeight(1);
    WindowColours::paintAsEdit(*folderTree_);

    connect(folderTree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    widgets::runGuarded(
                        window(), [this, current] { setFolder(folders_->filePath(current)); });
            });
    // The tree fills in as folders are read; keep the current folder in sight meanwhile.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        const QString loaded = cleanAbsolute(path);
        if (folder_ == loaded || folder_.startsWith(loaded + QLatin1Char('/')) ||
            loaded == QDir::rootPath())
            folderTree_->scrollTo(folders_->index(folder_));
    });
    connect(folders_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (parent == folderTree_->rootIndex())
            hideOtherVolumes();
    });
}

void FileBrowser::buildFileList()
{
    addButtonStrip_ = new BevelPanel;
    addButtonStrip_->setObjectName(QStringLiteral("addButtonStrip"));
    addButtonStrip_->setBevels(Bevel::None, Bevel::None);
    addButtonStrip_->setColor(WindowColours::window());
    addButtonStrip_->setFixedHeight(AddStripHeight);
    addButton_ = new widgets::GradientButton(addButtonStrip_);
    addButton_->setObjectName(QStringLiteral("addButton"));
    addButton_->setCaption(QCoreApplication::translate("FileBrowser", "Добавить >>>"));
    widgets::applyButtonLook(*addButton_, widgets::ButtonLook::AddFiles);
    addButton_->setGeometry(0, 0, 162, 16);
    connect(addButton_, &widgets::GradientButton::clicked, this, &FileBrowser::addRequested);

    files_->setFilter(QDir::Files);
    files_->setNameFilterDisables(false);
    files_->setReadOnly(true);

    fileList_ = new QListView;
    fileList_->setObjectName(QStringLiteral("fileList"));
    fileList_->setModel(files_);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setUniformItemSizes(true);
    fileList_->setToolTip(
        QCoreApplication::translate("FileBrowser", "Добавление - правая кнопка мыши"));
    fileList_->setMinimumHeight(1);
    WindowColours::paintAsEdit(*fileList_);

    fileListMenu_ = new QMenu(this);
    fileListMenu_->setObjectName(QStringLiteral("fileListMenu"));
    addAction_ = fileListMenu_->addAction(QCoreApplication::translate("FileBrowser", "Добавить"));
    addAction_->setObjectName(QStringLiteral("addAction"));
    connect(addAction_, &QAction::triggered, this, &FileBrowser::addRequested);
    fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(fileList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        fileListMenu_->popup(fileList_->viewport()->mapToGlobal(at));
    });
    connect(fileList_, &QAbstractItemView::doubleClicked, this, &FileBrowser::addRequested);

    connect(files_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (cleanAbsolute(path) != folder_)
            return;
        files_->sort(0);
        emit fileListLoaded(folder_);
    });
}

void FileBrowser::buildFilterStrip()
{
    filterStrip_ = new BevelPanel(this);
    filterStrip_->setObjectName(QStringLiteral("filterStrip"));
    filterStrip_->setBevels(Bevel::None, Bevel::None);
    filterStrip_->setColor(WindowColours::window());
    filterStrip_->setFixedHeight(FilterStripHeight);

    filterCombo_ = new QComboBox(filterStrip_);
    filterCombo_->setObjectName(QStringLiteral("filterCombo"));
    for (const FileFilter& filter : pictureFileFilters())
        filterCombo_->addItem(filter.name, filter.masks);
    filterCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    filterCombo_->setMinimumContentsLength(4);
    WindowColours::paintAsEdit(*filterCombo_);
    auto* row = new QHBoxLayout(filterStrip_);
    row->setContentsMargins(1, 1, 1, 1);
    row->addWidget(filterCombo_);
    connect(filterCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        widgets::runGuarded(window(), [this, index] { onFilterChosen(index); });
    });
}

void FileBrowser::fillVolumes()
{
    volumes_ = mountedVolumes();
    const QSignalBlocker quiet(driveCombo_);
    driveCombo_->clear();
    for (const Volume& volume : volumes_)
        driveCombo_->addItem(volumeText(volume), volume.rootPath);
}

void FileBrowser::onDriveChosen(int index)
{
    if (index < 0 || index >= int(volumes_.size()))
        return;
    setFolder(volumes_[size_t(index)].rootPath);
}

void FileBrowser::onFilterChosen(int index)
{
    if (index < 0)
        return;
    files_->setNameFilters(nameFilters(filterCombo_->itemData(index).toString()));
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
        const QSignalBlocker quiet(driveCombo_);
        driveCombo_->setCurrentIndex(volume);
    }
    selectFolderInTree(path);

    fileList_->clearSelection();
    fileList_->setRootIndex(files_->setRootPath(path));
}

void FileBrowser::showVolumeInTree(const QString& root)
{
    volumeRoot_ = root;
    folders_->setRootPath(root);
    // The tree starts at the volume's root folder itself; the folders beside it (other volumes'
    // parents) stay out of sight.
    const QModelIndex rootIndex = folders_->index(root);
    folderTree_->setRootIndex(rootIndex.parent());
    hideOtherVolumes();
}

void FileBrowser::hideOtherVolumes()
{
    const QModelIndex parent = folderTree_->rootIndex();
    const QModelIndex rootIndex = folders_->index(volumeRoot_);
    for (int row = 0; row < folders_->rowCount(parent); ++row)
        folderTree_->setRowHidden(row, parent, folders_->index(row, 0, parent) != rootIndex);
}

void FileBrowser::selectFolderInTree(const QString& folder)
{
    const QModelIndex index = folders_->index(folder);
    if (!index.isValid())
        return;
    const QSignalBlocker quiet(folderTree_->selectionModel());
    folderTree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    folderTree_->scrollTo(index);
    folderTree_->expand(index);
    folderTree_->viewport()->update();
}

QStringList FileBrowser::fileNames() const
{
    QStringList names;
    const QModelIndex root = fileList_->rootIndex();
    for (int row = 0; row < files_->rowCount(root); ++row)
        names.append(files_->fileName(files_->index(row, 0, root)));
    return names;
}

} // namespace pagula::app
