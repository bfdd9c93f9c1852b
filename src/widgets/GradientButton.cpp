#include "widgets/GradientButton.h"

#include "widgets/CaptionLayout.h"
#include "widgets/GradientButtonPresets.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pagula::widgets
{

namespace
{

ShiftState shiftOf(const QMouseEvent* e, bool doubleClick)
{
    return {e->modifiers(), e->buttons(), doubleClick};
}

// The fixed arguments of the press and release simulated on pointer enter and leave.
const ShiftState heldLeftOnly{Qt::NoModifier, Qt::LeftButton, false};

// The character a key press types; Enter and Return type a carriage return even where the
// platform leaves the text empty. QChar() when the key types nothing.
QChar typedCharacter(const QKeyEvent* e)
{
    if (!e->text().isEmpty())
        return e->text().at(0);
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return QChar(u'\r');
    return QChar();
}

} // namespace

GradientButton::GradientButton(QWidget* parent) : QWidget(parent)
{
    resize(75, 25);
    // Every pixel comes from the surface: no background fill, no erase before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // In the tab order; a press takes the focus itself, after mouseDown.
    setFocusPolicy(Qt::TabFocus);
    followWindow();
}

GradientButton::~GradientButton()
{
    if (acceleratorWindow_)
        acceleratorWindow_->removeEventFilter(this);
}

template <class T> void GradientButton::setAndRepaint(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void GradientButton::setCaption(const QString& caption)
{
    setAndRepaint(caption_, caption);
}
void GradientButton::setDisabledColor(PackedColor c)
{
    setAndRepaint(disabledColor_, c);
}
void GradientButton::setButtonHighlightColor(PackedColor c)
{
    setAndRepaint(buttonHighlightColor_, c);
}
void GradientButton::setButtonShadowColor(PackedColor c)
{
    setAndRepaint(buttonShadowColor_, c);
}
void GradientButton::setTextHighlightColor(PackedColor c)
{
    setAndRepaint(textHighlightColor_, c);
}
void GradientButton::setTextShadowColor(PackedColor c)
{
    setAndRepaint(textShadowColor_, c);
}
void GradientButton::setBeginColor(PackedColor c)
{
    setAndRepaint(beginColor_, c);
}
void GradientButton::setEndColor(PackedColor c)
{
    setAndRepaint(endColor_, c);
}
void GradientButton::setGradientStyle(GradientStyle s)
{
    setAndRepaint(gradientStyle_, s);
}
void GradientButton::setTextStyle(TextStyle s)
{
    setAndRepaint(textStyle_, s);
}
void GradientButton::setTextShadeType(ShadeType s)
{
    setAndRepaint(textShadeType_, s);
}
void GradientButton::setJustification(Justification j)
{
    setAndRepaint(justification_, j);
}
void GradientButton::setFontColor(PackedColor c)
{
    setAndRepaint(fontColor_, c);
}

void GradientButton::setSwapColors(bool on)
{
    swapColors_ = on;
}
void GradientButton::setShowFocus(bool on)
{
    showFocus_ = on;
}

void GradientButton::setButtonFrameSize(int size)
{
    if (size == buttonFrameSize_)
        return;
    if (size > width() / 2 - 5 || size > height() / 2 - 5)
        return;
    buttonFrameSize_ = size;
    update();
}

void GradientButton::setPreset(Preset preset)
{
    if (!designMode_)
        return;
    const GradientButtonPreset* p = gradientButtonPreset(preset);
    if (!p)
        return;
    // Stored directly, past the setters' rules.
    disabledColor_ = p->disabledColor;
    beginColor_ = p->beginColor;
    endColor_ = p->endColor;
    setFont(p->font());
    fontColor_ = p->fontColor;
    gradientStyle_ = p->gradientStyle;
    textShadeType_ = p->textShadeType;
    textStyle_ = p->textStyle;
    textHighlightColor_ = p->textHighlightColor;
    textShadowColor_ = p->textShadowColor;
    buttonHighlightColor_ = p->buttonHighlightColor;
    buttonShadowColor_ = p->buttonShadowColor;
    if (p->swapColors)
        swapColors_ = *p->swapColors;
    preset_ = preset;
    update();
}

void GradientButton::setDesignMode(bool on)
{
    if (designMode_ == on)
        return;
    designMode_ = on;
    update();
}

void GradientButton::setTabStop(bool on)
{
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

GradientButtonLook GradientButton::look() const
{
    GradientButtonLook l;
    l.size = size();
    l.beginColor = beginColor_;
    l.endColor = endColor_;
    l.gradientStyle = gradientStyle_;
    l.frameSize = buttonFrameSize_;
    l.frameLight = resolveColor(buttonHighlightColor_);
    l.frameShadow = resolveColor(buttonShadowColor_);
    l.buttonUp = buttonUp_;
    l.caption = caption_;
    l.font = font();
    l.faceColor = resolveColor(fontColor_);
    l.textHighlight = resolveColor(textHighlightColor_);
    l.textShadow = resolveColor(textShadowColor_);
    l.disabledColor = resolveColor(disabledColor_);
    l.textStyle = textStyle_;
    l.textShadeType = textShadeType_;
    l.justification = justification_;
    l.enabled = isEnabled();
    l.focusRect = !designMode_ && showFocus_ && hasFocus();
    return l;
}

void GradientButton::paintEvent(QPaintEvent*)
{
    paintGradientButtonSurface(surface_, look());
    if (surface_.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

void GradientButton::exchangeColors()
{
    std::swap(beginColor_, endColor_);
}

void GradientButton::pressButton(Qt::MouseButton button)
{
    if (!buttonUp_)
        return;
    const bool left = button == Qt::LeftButton;
    if (left)
        buttonUp_ = false;
    setFocus(Qt::MouseFocusReason);
    if (left && swapColors_)
        exchangeColors();
    update();
}

void GradientButton::releaseButton()
{
    if (clickDone_) {
        clickDone_ = false;
        return;
    }
    if (buttonUp_)
        return;
    if (swapColors_)
        exchangeColors();
    buttonUp_ = true;
    update();
}

void GradientButton::click()
{
    if (!buttonUp_) {
        clickDone_ = true;
        if (swapColors_)
            exchangeColors();
    }
    buttonUp_ = true;
    update();
    // The up look reaches the screen, and input already queued is handled, before the
    // handler runs. That input may delete this button.
    QPointer<GradientButton> self(this);
    QCoreApplication::processEvents();
    if (self)
        emit clicked();
}

bool GradientButton::acceleratorQuery(QChar typed)
{
    const std::optional<QChar> accelerator = acceleratorChar(caption_);
    if (!accelerator || !isEnabled() || !acceleratorMatches(*accelerator, typed))
        return false;
    click();
    return true;
}

void GradientButton::press(Qt::MouseButton button, ShiftState shift, QPoint pos, bool armsClick)
{
    // A press inside means the pointer is over the button, announced or not. (While the
    // pointer is grabbed, a press of another mouse button may come from outside.)
    if (rect().contains(pos))
        setPointerInside(true);
    QPointer<GradientButton> self(this);
    emit mouseDown(button, shift, pos);
    if (!self)
        return;
    if (button == Qt::LeftButton) {
        leftHeld_ = true;
        clickArmed_ = armsClick;
    }
    pressButton(button);
}

void GradientButton::mousePressEvent(QMouseEvent* event)
{
    press(event->button(), shiftOf(event, false), event->position().toPoint(), true);
}

// The second press of a double click: the down look, but its release does not click.
void GradientButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    press(event->button(), shiftOf(event, true), event->position().toPoint(), false);
}

void GradientButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<GradientButton> self(this);
    if (event->button() == Qt::LeftButton) {
        leftHeld_ = false;
        const bool clicks = clickArmed_ && rect().contains(pos);
        clickArmed_ = false;
        if (clicks) {
            click();
            if (!self)
                return;
        }
    }
    emit mouseUp(event->button(), shiftOf(event, false), pos);
    if (!self)
        return;
    releaseButton();
}

void GradientButton::mouseMoveEvent(QMouseEvent* event)
{
    setPointerInside(rect().contains(event->position().toPoint()));
}

void GradientButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    setPointerInside(true);
}

void GradientButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    setPointerInside(false);
}

// Pointer enter and leave. With the left button held after a press here, leaving releases
// the button (it shows up) and coming back presses it again, each with the fixed arguments.
void GradientButton::setPointerInside(bool inside)
{
    if (inside == pointerInside_)
        return;
    pointerInside_ = inside;
    QPointer<GradientButton> self(this);
    if (leftHeld_) {
        if (inside) {
            emit mouseDown(Qt::LeftButton, heldLeftOnly, QPoint(0, 0));
            if (!self)
                return;
            pressButton(Qt::LeftButton);
        } else {
            emit mouseUp(Qt::LeftButton, heldLeftOnly, QPoint(0, 0));
            if (!self)
                return;
            releaseButton();
        }
    }
    if (inside)
        emit mouseEnter();
    else
        emit mouseLeave();
}

void GradientButton::keyPressEvent(QKeyEvent* event)
{
    QChar key = typedCharacter(event);
    if (key.isNull()) {
        QWidget::keyPressEvent(event);
        return;
    }
    QPointer<GradientButton> self(this);
    emit keyPress(key);
    if (!self)
        return;
    if (key.isNull()) { // the handler swallowed it
        event->accept();
        return;
    }
    if (key == u'\r') {
        event->accept();
        click();
        return;
    }
    // The space bar does nothing. Other characters go on to the window, where the buttons'
    // accelerators are asked; a top-level button has no window above it to ask for it.
    if (isWindow() && acceleratorQuery(key)) {
        event->accept();
        return;
    }
    event->ignore();
}

bool GradientButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == acceleratorWindow_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool commandKey =
            key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::MetaModifier);
        if (!commandKey && !key->text().isEmpty() && acceleratorQuery(key->text().at(0))) {
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GradientButton::followWindow()
{
    QWidget* w = window();
    if (w == this)
        w = nullptr;
    if (w == acceleratorWindow_)
        return;
    if (acceleratorWindow_)
        acceleratorWindow_->removeEventFilter(this);
    acceleratorWindow_ = w;
    if (w)
        w->installEventFilter(this);
}

bool GradientButton::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followWindow();
    return QWidget::event(event);
}

void GradientButton::showEvent(QShowEvent* event)
{
    followWindow();
    QWidget::showEvent(event);
}

void GradientButton::focusInEvent(QFocusEvent*)
{
    if (!designMode_)
        update();
}

void GradientButton::focusOutEvent(QFocusEvent*)
{
    if (!designMode_)
        update();
}

// A button disabled or hidden while pressed gets no release any more; it goes back up so it
// does not stay drawn pressed with its colours exchanged.
void GradientButton::cancelPress()
{
    leftHeld_ = false;
    clickArmed_ = false;
    clickDone_ = false;
    if (!buttonUp_) {
        if (swapColors_)
            exchangeColors();
        buttonUp_ = true;
        update();
    }
}

void GradientButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        cancelPress();
    QWidget::changeEvent(event);
}

void GradientButton::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        cancelPress();
    QWidget::hideEvent(event);
}

} // namespace pagula::widgets
