#pragma once

#include "preview/PreviewPorts.h"

#include <QImage>
#include <QPoint>
#include <QPolygonF>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;

namespace pagula::preview
{

class PreviewCanvas;
struct RenderPlan;

// The preview window "Предварительный просмотр": one job entry's picture at a chosen zoom
// with the margins its crop cuts away painted over in green. It lives as long as the main
// window and is only shown and hidden. Given a parent, it is a window of the parent's window.
class PreviewWindow : public QWidget, public PreviewWindowPort
{
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The crop profiles that rendering reads; none set reads as all zero.
    void setCropProfiles(const CropProfileSource* profiles) { profiles_ = profiles; }
    // The page preparation that pictures are shown with; none set shows them as they are.
    void setPreparation(const PreparationSource* preparation) { preparation_ = preparation; }

    // PreviewWindowPort
    void showEntry(const joblist::JobEntry& entry) override;
    bool isShowing() const override;
    void closeWindow() override;
    void showWindow() override;
    void moveFrameTo(QPoint topLeft) override;
    int setFrameHeight(int height) override;
    void setFrameWidth(int width) override;

    // Renders the source picture at the chosen zoom, then the overlay of the remembered crop.
    void renderAtZoom();
    // Paints the four crop bands over the shown bitmap; whole percentages 0 to 100.
    void drawCropOverlay(int left, int right, int top, int bottom);

    // The crop code of the entry last passed to showEntry.
    int rememberedCropCode() const { return cropCode_; }
    // sourcePicture: the picture as loaded from the file (reduced when too large to hold in full).
    const QImage& sourcePicture() const { return sourcePicture_; }
    // The picture's own size, which the zoom percentages and crop bands are measured on.
    QSize pictureSize() const { return realSize_; }
    // pictureView's picture as the screen shows it.
    QImage shownBitmap() const;
    // The status line under the picture: the resolution the picture gets in a cell.
    QString statusText() const;
    // "Исходный рисунок": the original with the outline found, instead of the prepared page.
    QCheckBox* originalBox() const { return originalBox_; }

signals:
    // The window is closing: the `previewBox` switch must be unticked.
    void previewUntickRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onClosing();
    void onAreaPressed(QPoint point);
    void onAreaDragged(QPoint point);
    void showPlan(const RenderPlan& plan, bool stretch);
    void showPreparedOrOriginal();
    // Throws pagula::common::Error when the copy shown at this zoom would exceed the memory limit.
    void checkZoomHolds(QSize realSize, int zoom) const;

    QFrame* zoomStrip_;
    QLabel* zoomCaption_;
    QComboBox* zoomBox_;
    QCheckBox* originalBox_;
    QLabel* statusLine_;
    QScrollArea* scrollArea_;
    PreviewCanvas* pictureView_;
    QImage sourcePicture_;
    QSize realSize_;
    // The picture as loaded and its own size; sourcePicture_ is the prepared page when
    // preparation is on.
    QImage originalPicture_;
    QSize originalSize_;
    QPolygonF outline_; // in the original's own pixels
    bool prepared_ = false;
    const PreparationSource* preparation_ = nullptr;
    int shownZoom_ = 0;

    const CropProfileSource* profiles_ = nullptr;
    int cropCode_ = 0;
    QPoint lastMouse_;
    bool closing_ = false;
};

} // namespace pagula::preview
