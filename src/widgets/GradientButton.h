#pragma once

#include "widgets/GradientButtonPainter.h"
#include "widgets/GradientButtonTypes.h"
#include "widgets/TColor.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace pagula::widgets
{

// The custom-painted command button of every window: a colour gradient in one of six styles,
// a bevel frame, and a caption drawn flat, raised or inset. It clicks on a left press and
// release inside it, on Enter while focused and on its caption's accelerator character.
//
// Each paint composes the whole button in the off-screen Surface and copies it in one go, so
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

    TColor disabledColor() const { return disabledColor_; }
    void setDisabledColor(TColor c);
    TColor btnHiliteClr() const { return btnHiliteClr_; }
    void setBtnHiliteClr(TColor c);
    TColor btnShadowClr() const { return btnShadowClr_; }
    void setBtnShadowClr(TColor c);
    int btnFrameSize() const { return btnFrameSize_; }
    // Ignores a value above Width / 2 - 5 or above Height / 2 - 5 (halves truncated).
    void setBtnFrameSize(int size);
    TColor txtHiliteClr() const { return txtHiliteClr_; }
    void setTxtHiliteClr(TColor c);
    TColor txtShadowClr() const { return txtShadowClr_; }
    void setTxtShadowClr(TColor c);
    // The colours as stored; while the button is pressed with swapColors() they hold each
    // other's values.
    TColor beginColor() const { return beginColor_; }
    void setBeginColor(TColor c);
    TColor endColor() const { return endColor_; }
    void setEndColor(TColor c);
    bool swapColors() const { return swapColors_; }
    void setSwapColors(bool on); // stored only: no repaint
    bool showFocus() const { return showFocus_; }
    void setShowFocus(bool on); // stored only: no repaint
    TGradientStyle gradientStyle() const { return gradientStyle_; }
    void setGradientStyle(TGradientStyle s);
    TTextStyle textStyle() const { return textStyle_; }
    void setTextStyle(TTextStyle s);
    TShadeType textShadeType() const { return textShadeType_; }
    void setTextShadeType(TShadeType s);
    TJustification justification() const { return justification_; }
    void setJustification(TJustification j);
    // Font.Color: the caption's face colour.
    TColor fontColor() const { return fontColor_; }
    void setFontColor(TColor c);

    // A design-time preset: outside design mode setting it does nothing at all.
    TPreset presets() const { return presets_; }
    void setPresets(TPreset preset);

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
    // OnClick.
    void clicked();
    // OnMouseDown / OnMouseUp, also for the press and release simulated when the pointer comes
    // back in or leaves while the left button is held (left button, left held, point (0, 0)).
    void mouseDown(Qt::MouseButton button, pagula::widgets::TShiftState shift, QPoint pos);
    void mouseUp(Qt::MouseButton button, pagula::widgets::TShiftState shift, QPoint pos);
    // OnMouseEnter / OnMouseLeave.
    void mouseEnter();
    void mouseLeave();
    // OnKeyPress: a handler may change the character; setting it to QChar() (0) swallows it,
    // so Enter does not click. Only a direct connection sees the character by reference.
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
    void press(Qt::MouseButton button, TShiftState shift, QPoint pos, bool armsClick);
    void setPointerInside(bool inside);
    void exchangeColors();
    void cancelPress();
    void followWindow();
    template <class T> void setAndRepaint(T& field, T value);

    TColor disabledColor_ = clGrayText;
    TColor btnHiliteClr_ = clBtnHighlight;
    TColor btnShadowClr_ = clBtnShadow;
    int btnFrameSize_ = 1;
    TColor txtHiliteClr_ = clBtnHighlight;
    TColor txtShadowClr_ = clBtnShadow;
    TColor beginColor_ = clNavy;
    TColor endColor_ = clAqua;
    bool swapColors_ = true;
    bool showFocus_ = true;
    TGradientStyle gradientStyle_ = TGradientStyle::gsVertCenter;
    TTextStyle textStyle_ = TTextStyle::tsRaised;
    TShadeType textShadeType_ = TShadeType::stLight;
    TJustification justification_ = TJustification::jCenter;
    TColor fontColor_ = clBlack;
    QString caption_;

    bool buttonUp_ = true;
    // Set by a click that ends a mouse press, consumed by the release handling that follows.
    bool clickDone_ = false;
    QImage surface_;
    TPreset presets_ = TPreset::None;
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
