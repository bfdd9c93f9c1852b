#include "preview/ui/PreviewWindow.h"

#include "common/Error.h"
#include "common/Fonts.h"
#include "preview/PictureLoading.h"
#include "preview/PreparedPreview.h"
#include "preview/RenderPlan.h"
#include "preview/Resample.h"
#include "preview/WorkerWait.h"
#include "preview/ui/PreviewCanvas.h"
#include "widgets/ErrorReport.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pagula::preview
{

namespace
{
const QColor kWindowColour(182, 196, 231);
const QColor kListColour(223, 230, 244);

// The main window's hidden 50 × 50 white one-bit picture, put in place of a large picture when
// the window closes.
QImage smallWhitePicture()
{
    QImage bmp(50, 50, QImage::Format_Mono);
    bmp.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    bmp.fill(1);
    return bmp;
}
} // namespace

// A window of its owner (the main window): the window manager keeps it above its owner only and
// minimises and restores it with its owner. Qt names the owner to the window system
// (WM_TRANSIENT_FOR) for dialog-type windows only, hence the type.
PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QCoreApplication::translate("PreviewWindow", "Предварительный просмотр"));
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowColour);
    setPalette(pal);
    setAutoFillBackground(true);
    resize(420, 594);

    zoomStrip_ = new QFrame(this);
    zoomStrip_->setObjectName(QStringLiteral("zoomStrip"));
    zoomStrip_->setFrameShape(QFrame::Panel);
    zoomStrip_->setFrameShadow(QFrame::Raised);
    zoomCaption_ = new QLabel(QCoreApplication::translate("PreviewWindow", "Масштаб:"), zoomStrip_);
    zoomCaption_->setObjectName(QStringLiteral("zoomCaption"));
    zoomBox_ = new QComboBox(zoomStrip_);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->setEditable(false);
    zoomBox_->addItem(QCoreApplication::translate("PreviewWindow", "По размеру окна"));
    for (int percent = 10; percent <= 100; percent += 10)
        zoomBox_->addItem(QStringLiteral("%1%").arg(percent));
    zoomBox_->setMaxVisibleItems(11);
    QPalette listPal = zoomBox_->palette();
    listPal.setColor(QPalette::Base, kListColour);
    listPal.setColor(QPalette::Button, kListColour);
    zoomBox_->setPalette(listPal);
    auto* panelLayout = new QHBoxLayout(zoomStrip_);
    panelLayout->setContentsMargins(6, 2, 6, 2);
    panelLayout->addWidget(zoomCaption_);
    panelLayout->addWidget(zoomBox_);
    originalBox_ = new QCheckBox(tr("Исходный рисунок"), zoomStrip_);
    originalBox_->setObjectName(QStringLiteral("originalBox"));
    originalBox_->setEnabled(false);
    panelLayout->addWidget(originalBox_);
    panelLayout->addStretch(1);
    connect(originalBox_, &QCheckBox::toggled, this,
            [this] { widgets::runGuarded(this, [this] { showPreparedOrOriginal(); }); });

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setContentsMargins(6, 1, 6, 1);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("scrollArea"));
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollArea_->setBackgroundRole(QPalette::Window);
    pictureView_ = new PreviewCanvas;
    pictureView_->setObjectName(QStringLiteral("pictureView"));
    scrollArea_->setWidget(pictureView_);
    scrollArea_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(zoomStrip_);
    layout->addWidget(scrollArea_, 1);
    layout->addWidget(statusLine_);

    // At creation: zoom item 0, no picture yet.
    zoomBox_->setCurrentIndex(0);
    showPlan(RenderPlan{}, true);
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this] { widgets::runGuarded(this, [this] { showPreparedOrOriginal(); }); });
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showEntry(const joblist::JobEntry& entry)
{
    cropCode_ = entry.cropProfile;
    if (entry.isBlank())
        return;
    // Read and decoded once here; zoom changes and overlays work on sourcePicture from now on.
    const QString path = entry.path;
    PreviewPicture picture =
        runWhileRepainting<PreviewPicture>([path] { return loadPreviewPicture(path); });
    // Refused before anything changes, so the previous picture stays.
    checkZoomHolds(picture.realSize, zoomBox_->currentIndex());
    const PreviewPreparation preparation =
        preparation_ ? preparation_->previewPreparation() : PreviewPreparation{};
    imaging::PreparedPage page{picture.source, {}};
    if (preparation.options.any()) {
        const QImage source = picture.source;
        const imaging::PreparationOptions options = preparation.options;
        page = runWhileRepainting<imaging::PreparedPage>(
            [source, options] { return imaging::preparePage(source, options); });
    }
    // Outlines and sizes in the picture's own pixels: the loaded copy may be reduced.
    const double toReal = double(picture.realSize.width()) / picture.source.width();
    originalPicture_ = picture.source;
    originalSize_ = picture.realSize;
    prepared_ = preparation.options.any();
    outline_ = QTransform::fromScale(toReal, toReal).map(page.geometry.kept);
    sourcePicture_ = toPreviewSource(page.image);
    realSize_ = prepared_ ? QSize(int(std::lround(page.image.width() * toReal)),
                                  int(std::lround(page.image.height() * toReal)))
                          : picture.realSize;
    {
        const QSignalBlocker quiet(originalBox_);
        originalBox_->setEnabled(prepared_);
        if (!prepared_)
            originalBox_->setChecked(false);
    }
    // The cell shows what the crop leaves of the prepared page.
    const CropPercentages crop = profiles_ && (cropCode_ == 1 || cropCode_ == 2)
                                     ? profiles_->cropProfile(cropCode_)
                                     : CropPercentages{};
    const QSize kept(std::max(0, realSize_.width() * (100 - crop.left - crop.right) / 100),
                     std::max(0, realSize_.height() * (100 - crop.top - crop.bottom) / 100));
    const bool fitted = preparation.keepProportions || preparation.options.findPage;
    statusLine_->setText(cellDpiText(cellDpi(kept, preparation.cellMm, fitted)));
    statusLine_->setVisible(!preparation.cellMm.isEmpty());
    showPreparedOrOriginal();
}

void PreviewWindow::showPreparedOrOriginal()
{
    if (prepared_ && originalBox_->isChecked()) {
        const QImage outlined = outlinedOriginal(originalPicture_, originalSize_, outline_);
        RenderPlan plan;
        plan.source = outlined;
        const int zoom = std::max(0, zoomBox_->currentIndex());
        plan.bitmapSize = zoomedSize(originalSize_, zoom);
        plan.shownSize = plan.bitmapSize;
        showPlan(plan, zoom <= 0);
        return;
    }
    renderAtZoom();
}

QString PreviewWindow::statusText() const
{
    return statusLine_->text();
}

void PreviewWindow::checkZoomHolds(QSize realSize, int zoom) const
{
    // Fit to the window: only the window's pixels are ever shown. No picture: nothing to hold.
    if (zoom <= 0 || realSize.isEmpty())
        return;
    const QSize shown = zoomedSize(realSize, zoom);
    if (canHoldShownSize(shown))
        return;
    throw common::Error(QCoreApplication::translate(
                            "PreviewWindow",
                            "Масштаб %1 не помещается в память: рисунок %2 x %3 точек был бы "
                            "показан размером %4 x %5 точек. Выберите меньший масштаб.")
                            .arg(zoomBox_->itemText(zoom))
                            .arg(realSize.width())
                            .arg(realSize.height())
                            .arg(shown.width())
                            .arg(shown.height()));
}

void PreviewWindow::renderAtZoom()
{
    const int zoom = zoomBox_->currentIndex();
    try {
        checkZoomHolds(realSize_, zoom);
    } catch (const common::Error&) {
        // The zoom shown before stays chosen, with its picture.
        const QSignalBlocker quiet(zoomBox_);
        zoomBox_->setCurrentIndex(shownZoom_);
        throw;
    }
    shownZoom_ = zoom;
    const bool stretch = zoom <= 0;
    // Sizes follow the picture's own size; the source may be a reduced decode of it.
    RenderPlan plan;
    plan.source = sourcePicture_;
    plan.bitmapSize = zoomedSize(realSize_, zoom);
    plan.shownSize = plan.bitmapSize;
    showPlan(plan, stretch);

    if (cropCode_ == 1 || cropCode_ == 2) {
        const CropPercentages crop =
            profiles_ ? profiles_->cropProfile(cropCode_) : CropPercentages{};
        drawCropOverlay(crop.left, crop.right, crop.top, crop.bottom);
    }
}

void PreviewWindow::drawCropOverlay(int left, int right, int top, int bottom)
{
    pictureView_->addBands(
        cropBands(pictureView_->plan().bitmapSize, CropPercentages{left, right, top, bottom}));
}

void PreviewWindow::showPlan(const RenderPlan& plan, bool stretch)
{
    // Fit to the window: the picture follows the area, so no scroll bars. Zoomed: the copy sits
    // at the top left at its own size and the area scrolls when it is larger.
    const Qt::ScrollBarPolicy bars = stretch ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scrollArea_->setHorizontalScrollBarPolicy(bars);
    scrollArea_->setVerticalScrollBarPolicy(bars);
    scrollArea_->setWidgetResizable(stretch);
    if (!stretch)
        pictureView_->resize(plan.shownSize);
    pictureView_->setPlan(plan, stretch);
}

QImage PreviewWindow::shownBitmap() const
{
    return pictureView_->shownBitmap();
}

bool PreviewWindow::isShowing() const
{
    return isVisible() && !closing_;
}

void PreviewWindow::closeWindow()
{
    close();
}

void PreviewWindow::showWindow()
{
    show();
    raise();
}

void PreviewWindow::moveFrameTo(QPoint topLeft)
{
    move(topLeft);
}

int PreviewWindow::setFrameHeight(int height)
{
    const int frame = frameGeometry().height() - this->height();
    resize(width(), std::max(1, height - frame));
    return frameGeometry().height();
}

void PreviewWindow::setFrameWidth(int width)
{
    const int frame = frameGeometry().width() - this->width();
    resize(std::max(1, width - frame), height());
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    onClosing();
    closing_ = false;
    event->accept(); // hidden, not destroyed
}

void PreviewWindow::onClosing()
{
    emit previewUntickRequested();
    // Let the large picture go; sourcePicture keeps the source for a later zoom change.
    const QImage white = toPreviewSource(smallWhitePicture());
    RenderPlan plan;
    plan.source = white;
    plan.bitmapSize = white.size();
    plan.shownSize = white.size();
    showPlan(plan, zoomBox_->currentIndex() <= 0);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scrollArea_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            onAreaPressed(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() & Qt::LeftButton)
                onAreaDragged(move->position().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::onAreaPressed(QPoint point)
{
    lastMouse_ = point;
}

void PreviewWindow::onAreaDragged(QPoint point)
{
    // The picture follows the mouse; the scroll bars clamp to their ranges.
    QScrollBar* vertical = scrollArea_->verticalScrollBar();
    vertical->setValue(vertical->value() + (lastMouse_.y() - point.y()));
    lastMouse_.setY(point.y());
    QScrollBar* horizontal = scrollArea_->horizontalScrollBar();
    horizontal->setValue(horizontal->value() + (lastMouse_.x() - point.x()));
    lastMouse_.setX(point.x());
}

} // namespace pagula::preview
