#pragma once

#include "preview/RenderPlan.h"

#include <QCache>
#include <QWidget>

namespace pagula::preview
{

// `pictureView` of the preview window: shows what a RenderPlan describes. Only the tiles that are
// painted get computed, and recently shown tiles are kept, so scrolling a picture at 100 % or
// switching the zoom of a large scan costs the visible pixels, not the whole picture. In
// stretch mode the shown size follows the widget's size. It takes no mouse input, so presses
// reach the scroll box under it.
class PreviewCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    void setPlan(RenderPlan plan, bool stretch);
    void addBands(const CropBandSet& bands);
    const RenderPlan& plan() const { return plan_; }
    bool stretches() const { return stretch_; }

    // The whole shown picture, as the screen shows it.
    QImage shownBitmap() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static quint64 tileKey(int column, int row);

    RenderPlan plan_;
    bool stretch_ = false;
    QCache<quint64, QImage> tiles_;
};

} // namespace pagula::preview
