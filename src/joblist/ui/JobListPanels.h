#pragma once

#include "joblist/CropMode.h"
#include "joblist/ui/UnsavedListQuestion.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

class QAbstractItemView;
class QWidget;

namespace pagula::joblist
{

class CropTabSet;
class JobListModel;
class JobListView;
class TickButtonStrip;

// The job list's part of the main window: the list itself and the three panels that show and
// drive it, wired together. The main window places the panels (tickButtons() above the list,
// view() in the middle, cropTabs() in the bottom strip) and connects the hooks below.
class JobListPanels : public QObject
{
    Q_OBJECT
public:
    // The panels are created as children of parent; placing them in a layout reparents them.
    explicit JobListPanels(QWidget* parent);

    JobListModel* model() const { return model_; }
    TickButtonStrip* tickButtons() const { return tickButtons_; }
    JobListView* view() const { return view_; }
    CropTabSet* cropTabs() const { return cropTabs_; }

    // Read live by the composition and the preview.
    CropMode cropMode() const;
    CropProfile cropProfile(int number) const;

    // "Добавить": the selected files of the file list showing folder.
    void addSelectedFiles(QAbstractItemView& fileList, const QString& folder);
    // A drop on the list: the pictures among `urls` (names matching `pictureMasks`) and the
    // pictures of dropped folders that match `folderMasks`, added as "Добавить" adds them.
    // Names the job list file cannot store are reported; returns the status line's text.
    QString addDropped(const QList<QUrl>& urls, bool otherContent, const QStringList& folderMasks,
                       const QStringList& pictureMasks);

    // Before the main window closes: a list changed since it was last saved or loaded is kept
    // (saved as "Сохранить" saves it), dropped, or the closing is cancelled, as the user answers.
    // True when the window may close.
    bool mayClose();
    // The question mayClose() asks (askAboutUnsavedList by default); tests answer it.
    using UnsavedListQuestion = std::function<UnsavedListAnswer(int entries)>;
    void setUnsavedListQuestion(UnsavedListQuestion question) { question_ = std::move(question); }

signals:
    // A press on the list outside the crop zone, or "Применить": show the current entry again
    // when the preview is on.
    void previewRefreshRequested();
    // The current entry moved (row, or -1 for none); the preview does not follow by itself.
    void currentEntryChanged(int row);
    // Entries, ticks or crop codes changed.
    void listChanged();

private:
    QWidget* parent_;
    JobListModel* model_;
    TickButtonStrip* tickButtons_;
    JobListView* view_;
    CropTabSet* cropTabs_;
    UnsavedListQuestion question_;
};

} // namespace pagula::joblist
