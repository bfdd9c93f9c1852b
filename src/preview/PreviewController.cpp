#include "preview/PreviewController.h"

#include "common/Conversions.h"

#include <QGuiApplication>
#include <QScreen>

namespace pagula::preview
{

int previewWidthForHeight(int height)
{
    return common::roundHalfEven(height * 210.0 / 297.0);
}

namespace
{
QRect primaryScreenGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

PreviewController::PreviewController(PreviewJobList& jobs, PreviewControls& controls,
                                     PreviewWindowPort& window)
    : jobs_(jobs), controls_(controls), window_(window), screenGeometry_(primaryScreenGeometry)
{
}

void PreviewController::setScreenGeometry(std::function<QRect()> screenGeometry)
{
    screenGeometry_ = screenGeometry ? std::move(screenGeometry) : primaryScreenGeometry;
}

void PreviewController::onPreviewToggled()
{
    const bool ticked = controls_.previewTicked();
    if (!ticked) {
        // Also with an empty list: the window is hidden whenever the switch is off.
        if (window_.isShowing())
            window_.closeWindow();
        return;
    }
    if (jobs_.entryCount() == 0)
        return;
    if (jobs_.currentRow() < 0 || jobs_.currentRow() >= jobs_.entryCount())
        jobs_.setCurrentRow(0);
    window_.showEntry(jobs_.entry(jobs_.currentRow()));

    const QRect screen = screenGeometry_();
    window_.showWindow();
    window_.moveFrameTo(screen.topLeft());
    const int height = window_.setFrameHeight(screen.height());
    window_.setFrameWidth(previewWidthForHeight(height));
}

void PreviewController::refreshPreview()
{
    const int row = jobs_.currentRow();
    if (!controls_.previewTicked() || row < 0 || row >= jobs_.entryCount())
        return;
    window_.showEntry(jobs_.entry(row));
}

void PreviewController::showPrevious()
{
    navigate(NavigateDirection::Previous);
}

void PreviewController::showNext()
{
    navigate(NavigateDirection::Next);
}

void PreviewController::navigate(NavigateDirection direction)
{
    const int target = findNavigationTarget(jobs_.entryCount(), jobs_.currentRow(), direction,
                                            controls_.navigateMode(),
                                            [this](int row) { return jobs_.entry(row); });
    if (target < 0)
        return;
    jobs_.setCurrentRow(target);
    if (controls_.previewTicked())
        window_.showEntry(jobs_.entry(target));
}

} // namespace pagula::preview
