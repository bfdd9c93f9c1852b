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
class TForm4 : public QWidget, public PreviewWindowPort
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // The crop profiles that rendering reads; none set reads as all zero.
    void setCropProfiles(const CropProfileSource* profiles) { profiles_ = profiles; }

    // PreviewWindowPort
    void ShowEntry(const joblist::JobEntry& entry) override;
    bool isShowing() const override;
    void closeWindow() override;
    void showWindow() override;
    void moveFrameTo(QPoint topLeft) override;
    int setFrameHeight(int height) override;
    void setFrameWidth(int width) override;

    // Renders the source picture at the chosen zoom, then the overlay of the remembered crop.
    void cb1Change();
    // Paints the four crop bands over the shown bitmap; whole percentages 0 to 100.
    void DrawCropOverlay(int left, int right, int top, int bottom);

    // The crop code of the entry last passed to ShowEntry.
    int rememberedCropCode() const { return cropCode_; }
    // Image2: the picture as loaded from the file (reduced when too large to hold in full).
    const QImage& sourcePicture() const { return Image2; }
    // The picture's own size, which the zoom percentages and crop bands are measured on.
    QSize pictureSize() const { return realSize_; }
    // Image1's picture as the screen shows it.
    QImage shownBitmap() const;

signals:
    // The window is closing: the `Preview` switch must be unticked.
    void previewUntickRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClose();
    void ScrollBox1MouseDown(QPoint point);
    void ScrollBox1MouseMove(QPoint point);
    void showPlan(const RenderPlan& plan, bool stretch);
    // Throws pagula::Error when the copy shown at this zoom would exceed the memory limit.
    void checkZoomHolds(QSize realSize, int zoom) const;

    QFrame* Panel1;
    QLabel* Label1;
    QComboBox* cb1;
    QScrollArea* ScrollBox1;
    PreviewCanvas* Image1;
    QImage Image2;
    QSize realSize_;
    int shownZoom_ = 0;

    const CropProfileSource* profiles_ = nullptr;
    int cropCode_ = 0;
    QPoint lastMouse_;
    bool closing_ = false;
};

} // namespace pagula::preview
