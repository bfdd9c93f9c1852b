#include "joblist/ui/JobListPanels.h"

#include "joblist/DroppedPictures.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/AddSelectedFiles.h"
#include "joblist/ui/CropTabSet.h"
#include "joblist/ui/JobListView.h"
#include "joblist/ui/TickButtonStrip.h"
#include "widgets/ErrorReport.h"

namespace pagula::joblist
{

JobListPanels::JobListPanels(QWidget* parent)
    : QObject(parent), parent_(parent), model_(new JobListModel(this)),
      tickButtons_(new TickButtonStrip(model_, parent)), view_(new JobListView(model_, parent)),
      cropTabs_(new CropTabSet(model_, parent)),
      question_([parent](int entries) { return askAboutUnsavedList(parent, entries); })
{
    view_->setCropModeSource([tabs = cropTabs_] { return tabs->cropMode(); });
    connect(tickButtons_, &TickButtonStrip::displayColumnsChanged, view_,
            &JobListView::setDisplayColumns);
    connect(view_, &JobListView::previewRefreshRequested, this,
            &JobListPanels::previewRefreshRequested);
    connect(cropTabs_, &CropTabSet::previewRefreshRequested, this,
            &JobListPanels::previewRefreshRequested);
    connect(model_, &JobListModel::currentRowChanged, this, &JobListPanels::currentEntryChanged);
    connect(model_, &JobListModel::listChanged, this, &JobListPanels::listChanged);
}

CropMode JobListPanels::cropMode() const
{
    return cropTabs_->cropMode();
}

CropProfile JobListPanels::cropProfile(int number) const
{
    return cropTabs_->profile(number);
}

void JobListPanels::addSelectedFiles(QAbstractItemView& fileList, const QString& folder)
{
    joblist::addSelectedFiles(*model_, fileList, folder, parent_);
}

QString JobListPanels::addDropped(const QList<QUrl>& urls, bool otherContent,
                                  const QStringList& folderMasks, const QStringList& pictureMasks)
{
    const DroppedPictures drop = sortOutDrop(urls, folderMasks, pictureMasks);
    const int before = model_->size();
    QStringList problems;
    const QStringList refused = appendPictures(*model_, drop.paths, &problems);
    reportAddProblems(parent_, refused, problems);
    return dropStatusText(model_->size() - before, drop.ignored, otherContent);
}

bool JobListPanels::mayClose()
{
    if (!model_->hasUnsavedChanges())
        return true;
    switch (question_(model_->size())) {
    case UnsavedListAnswer::Keep:
        return view_->saveList();
    case UnsavedListAnswer::Discard:
        return true;
    case UnsavedListAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace pagula::joblist
