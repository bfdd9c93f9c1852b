#include "preview/TForm4.h"

#include "common/Error.h"
#include "common/Fonts.h"
#include "preview/PictureLoading.h"
#include "preview/PreviewCanvas.h"
#include "preview/RenderPlan.h"
#include "preview/Resample.h"
#include "preview/WorkerWait.h"
#include "widgets/ErrorReport.h"

#include <QCloseEvent>
#include <QComboBox>
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
TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowColour);
    setPalette(pal);
    setAutoFillBackground(true);
    resize(420, 594);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Label1 = new QLabel(QStringLiteral("Масштаб:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    cb1 = new QComboBox(Panel1);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb1->setEditable(false);
    cb1->addItem(QStringLiteral("По размеру окна"));
    for (int percent = 10; percent <= 100; percent += 10)
        cb1->addItem(QStringLiteral("%1%").arg(percent));
    cb1->setMaxVisibleItems(11);
    QPalette listPal = cb1->palette();
    listPal.setColor(QPalette::Base, kListColour);
    listPal.setColor(QPalette::Button, kListColour);
    cb1->setPalette(listPal);
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(6, 2, 6, 2);
    panelLayout->addWidget(Label1);
    panelLayout->addWidget(cb1);
    panelLayout->addStretch(1);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    Image1 = new PreviewCanvas;
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);
    ScrollBox1->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(ScrollBox1, 1);

    // FormCreate: zoom item 0, no picture yet.
    cb1->setCurrentIndex(0);
    showPlan(RenderPlan{}, true);
    connect(cb1, &QComboBox::currentIndexChanged, this,
            [this] { runGuarded(this, [this] { cb1Change(); }); });
}

TForm4::~TForm4() = default;

void TForm4::ShowEntry(const joblist::JobEntry& entry)
{
    cropCode_ = entry.cropProfile;
    if (entry.isBlank())
        return;
    // Read and decoded once here; zoom changes and overlays work on Image2 from now on.
    const QString path = entry.path;
    PreviewPicture picture =
        runWhileRepainting<PreviewPicture>([path] { return loadPreviewPicture(path); });
    // Refused before anything changes, so the previous picture stays.
    checkZoomHolds(picture.realSize, cb1->currentIndex());
    Image2 = std::move(picture.source);
    realSize_ = picture.realSize;
    cb1Change();
}

void TForm4::checkZoomHolds(QSize realSize, int zoom) const
{
    // Fit to the window: only the window's pixels are ever shown. No picture: nothing to hold.
    if (zoom <= 0 || realSize.isEmpty())
        return;
    const QSize shown = zoomedSize(realSize, zoom);
    if (canHoldShownSize(shown))
        return;
    throw Error(QStringLiteral("Масштаб %1 не помещается в память: рисунок %2 x %3 точек был бы "
                               "показан размером %4 x %5 точек. Выберите меньший масштаб.")
                    .arg(cb1->itemText(zoom))
                    .arg(realSize.width())
                    .arg(realSize.height())
                    .arg(shown.width())
                    .arg(shown.height()));
}

void TForm4::cb1Change()
{
    const int zoom = cb1->currentIndex();
    try {
        checkZoomHolds(realSize_, zoom);
    } catch (const Error&) {
        // The zoom shown before stays chosen, with its picture.
        const QSignalBlocker quiet(cb1);
        cb1->setCurrentIndex(shownZoom_);
        throw;
    }
    shownZoom_ = zoom;
    const bool stretch = zoom <= 0;
    // Sizes follow the picture's own size; the source may be a reduced decode of it.
    RenderPlan plan;
    plan.source = Image2;
    plan.bitmapSize = zoomedSize(realSize_, zoom);
    plan.shownSize = plan.bitmapSize;
    showPlan(plan, stretch);

    if (cropCode_ == 1 || cropCode_ == 2) {
        const CropPercentages crop =
            profiles_ ? profiles_->cropProfile(cropCode_) : CropPercentages{};
        DrawCropOverlay(crop.left, crop.right, crop.top, crop.bottom);
    }
}

void TForm4::DrawCropOverlay(int left, int right, int top, int bottom)
{
    Image1->addBands(
        cropBands(Image1->plan().bitmapSize, CropPercentages{left, right, top, bottom}));
}

void TForm4::showPlan(const RenderPlan& plan, bool stretch)
{
    // Fit to the window: the picture follows the area, so no scroll bars. Zoomed: the copy sits
    // at the top left at its own size and the area scrolls when it is larger.
    const Qt::ScrollBarPolicy bars = stretch ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    ScrollBox1->setHorizontalScrollBarPolicy(bars);
    ScrollBox1->setVerticalScrollBarPolicy(bars);
    ScrollBox1->setWidgetResizable(stretch);
    if (!stretch)
        Image1->resize(plan.shownSize);
    Image1->setPlan(plan, stretch);
}

QImage TForm4::shownBitmap() const
{
    return Image1->shownBitmap();
}

bool TForm4::isShowing() const
{
    return isVisible() && !closing_;
}

void TForm4::closeWindow()
{
    close();
}

void TForm4::showWindow()
{
    show();
    raise();
}

void TForm4::moveFrameTo(QPoint topLeft)
{
    move(topLeft);
}

int TForm4::setFrameHeight(int height)
{
    const int frame = frameGeometry().height() - this->height();
    resize(width(), std::max(1, height - frame));
    return frameGeometry().height();
}

void TForm4::setFrameWidth(int width)
{
    const int frame = frameGeometry().width() - this->width();
    resize(std::max(1, width - frame), height());
}

void TForm4::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    FormClose();
    closing_ = false;
    event->accept(); // hidden, not destroyed
}

void TForm4::FormClose()
{
    emit previewUntickRequested();
    // Let the large picture go; Image2 keeps the source for a later zoom change.
    const QImage white = toPreviewSource(smallWhitePicture());
    RenderPlan plan;
    plan.source = white;
    plan.bitmapSize = white.size();
    plan.shownSize = white.size();
    showPlan(plan, cb1->currentIndex() <= 0);
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            ScrollBox1MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() & Qt::LeftButton)
                ScrollBox1MouseMove(move->position().toPoint());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm4::ScrollBox1MouseDown(QPoint point)
{
    lastMouse_ = point;
}

void TForm4::ScrollBox1MouseMove(QPoint point)
{
    // The picture follows the mouse; the scroll bars clamp to their ranges.
    QScrollBar* vertical = ScrollBox1->verticalScrollBar();
    vertical->setValue(vertical->value() + (lastMouse_.y() - point.y()));
    lastMouse_.setY(point.y());
    QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
    horizontal->setValue(horizontal->value() + (lastMouse_.x() - point.x()));
    lastMouse_.setX(point.x());
}

} // namespace pagula::preview
