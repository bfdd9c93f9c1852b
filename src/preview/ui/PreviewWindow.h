#pragma once

#include "preview/PreviewPorts.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

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
    // Throws pagula::common::Error when the copy shown at this zoom would exceed the memory limit.
    void checkZoomHolds(QSize realSize, int zoom) const;

    QFrame* zoomStrip_;
    QLabel* zoomCaption_;
    QComboBox* zoomBox_;
    QScrollArea* scrollArea_;
    PreviewCanvas* pictureView_;
    QImage sourcePicture_;
    QSize realSize_;
    int shownZoom_ = 0;

    const CropProfileSource* profiles_ = nullptr;
    int cropCode_ = 0;
    QPoint lastMouse_;
    bool closing_ = false;
};

} // namespace pagula::preview
