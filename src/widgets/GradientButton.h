#pragma once

#include "widgets/GradientButtonPainter.h"
#include "widgets/GradientButtonTypes.h"
#include "widgets/PackedColor.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace pagula::widgets
{

// The custom-painted command button of every window: a colour gradient in one of six styles,
// a bevel frame, and a caption drawn flat, raised or inset. It clicks on a left press and
// release inside it, on Enter while focused and on its caption's accelerator character.
//
// Each paint composes the whole button in the off-screen surface and copies it in one go, so
// the window system never erases the background (no flicker).
//
// Accelerators: the button watches the key presses that reach its top-level window (an event
// filter on that window). A typed character arrives there when the focused control does not
// take it (edits and lists keep theirs, buttons and check boxes pass them on), so every button
// of the window gets to answer it, shown or not, as long as it is enabled. The filter follows
// the button when it is moved to another parent, and is checked again whenever it is shown
// (an ancestor may have moved into another window).
class GradientButton : public QWidget
{
    Q_OBJECT
public:
    explicit GradientButton(QWidget* parent = nullptr);
    ~GradientButton() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    PackedColor disabledColor() const { return disabledColor_; }
    void setDisabledColor(PackedColor c);
    PackedColor buttonHighlightColor() const { return buttonHighlightColor_; }
    void setButtonHighlightColor(PackedColor c);
    PackedColor buttonShadowColor() const { return buttonShadowColor_; }
    void setButtonShadowColor(PackedColor c);
    int buttonFrameSize() const { return buttonFrameSize_; }
    // Ignores a value above width() / 2 - 5 or above height() / 2 - 5 (halves truncated).
    void setButtonFrameSize(int size);
    PackedColor textHighlightColor() const { return textHighlightColor_; }
    void setTextHighlightColor(PackedColor c);
    PackedColor textShadowColor() const { return textShadowColor_; }
    void setTextShadowColor(PackedColor c);
    // The colours as stored; while the button is pressed with swapColors() they hold each
    // other's values.
    PackedColor beginColor() const { return beginColor_; }
    void setBeginColor(PackedColor c);
    PackedColor endColor() const { return endColor_; }
    void setEndColor(PackedColor c);
    bool swapColors() const { return swapColors_; }
    void setSwapColors(bool on); // stored only: no repaint
    bool showFocus() const { return showFocus_; }
    void setShowFocus(bool on); // stored only: no repaint
    GradientStyle gradientStyle() const { return gradientStyle_; }
    void setGradientStyle(GradientStyle s);
    TextStyle textStyle() const { return textStyle_; }
    void setTextStyle(TextStyle s);
    ShadeType textShadeType() const { return textShadeType_; }
    void setTextShadeType(ShadeType s);
    Justification justification() const { return justification_; }
    void setJustification(Justification j);
    // The caption's face colour.
    PackedColor fontColor() const { return fontColor_; }
    void setFontColor(PackedColor c);

    // A design-time preset: outside design mode setting it does nothing at all.
    Preset preset() const { return preset_; }
    void setPreset(Preset preset);

    // Design mode, as a form designer would switch it: presets work, focus changes do not
    // repaint and no focus rectangle is drawn.
    bool designMode() const { return designMode_; }
    void setDesignMode(bool on);

    // Whether the button takes part in the tab order (it takes the focus on a press anyway).
    bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool on);

    // False while the button is drawn pressed.
    bool buttonUp() const { return buttonUp_; }

    // The off-screen picture of the last paint.
    const QImage& surface() const { return surface_; }

    // What the next paint draws, from the current state.
    GradientButtonLook look() const;

    // The click: shows the up look, lets pending events run, then emits clicked().
    void click();

    // The window's question whether a typed character is this button's accelerator; if it is
    // and the button is enabled, the button clicks and the answer is true.
    bool acceleratorQuery(QChar typed);

signals:
    // Emitted by click().
    void clicked();
    // A mouse button pressed or released on the button, also for the press and release
    // simulated when the pointer comes back in or leaves while the left button is held (left
    // button, left held, point (0, 0)).
    void mouseDown(Qt::MouseButton button, pagula::widgets::ShiftState shift, QPoint pos);
    void mouseUp(Qt::MouseButton button, pagula::widgets::ShiftState shift, QPoint pos);
    // The pointer came onto or left the button.
    void mouseEnter();
    void mouseLeave();
    // A typed character, before the button acts on it: a handler may change it; setting it to
    // QChar() (0) swallows it, so Enter does not click. Only a direct connection sees the
    // character by reference.
    void keyPress(QChar& key);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void pressButton(Qt::MouseButton button);
    void releaseButton();
    void press(Qt::MouseButton button, ShiftState shift, QPoint pos, bool armsClick);
    void setPointerInside(bool inside);
    void exchangeColors();
    void cancelPress();
    void followWindow();
    template <class T> void setAndRepaint(T& field, T value);

    PackedColor disabledColor_ = kGrayText;
    PackedColor buttonHighlightColor_ = kButtonHighlight;
    PackedColor buttonShadowColor_ = kButtonShadow;
    int buttonFrameSize_ = 1;
    PackedColor textHighlightColor_ = kButtonHighlight;
    PackedColor textShadowColor_ = kButtonShadow;
    PackedColor beginColor_ = kNavy;
    PackedColor endColor_ = kAqua;
    bool swapColors_ = true;
    bool showFocus_ = true;
    GradientStyle gradientStyle_ = GradientStyle::VerticalCenter;
    TextStyle textStyle_ = TextStyle::Raised;
    ShadeType textShadeType_ = ShadeType::Light;
    Justification justification_ = Justification::Center;
    PackedColor fontColor_ = kBlack;
    QString caption_;

    bool buttonUp_ = true;
    // Set by a click that ends a mouse press, consumed by the release handling that follows.
    bool clickDone_ = false;
    QImage surface_;
    Preset preset_ = Preset::None;
    bool designMode_ = false;

    // A left press on this button (not the second press of a double click) that a release
    // inside turns into a click.
    bool clickArmed_ = false;
    // The left button went down on this button and is still held.
    bool leftHeld_ = false;
    // Where the pointer is as far as enter and leave go. While a button is held the pointer
    // is grabbed and the platform sends no enter or leave, so moves decide it then.
    bool pointerInside_ = false;
    QPointer<QWidget> acceleratorWindow_;
};

} // namespace pagula::widgets
