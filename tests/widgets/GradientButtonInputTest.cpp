// States and input of the button, driven with real Qt events.
#include "support/TestSupport.h"
#include "widgets/GradientButton.h"

#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

using namespace pagula::widgets;

namespace
{

// Records the button's events and paints in the order they happen.
class Recorder : public QObject
{
public:
    explicit Recorder(GradientButton& b) : button(b)
    {
        b.installEventFilter(this);
        const auto where = [](Qt::MouseButton mouseButton, ShiftState s, QPoint p) {
            return QStringLiteral("%1%2 %3,%4%5")
                .arg(mouseButton == Qt::LeftButton    ? "L"
                     : mouseButton == Qt::RightButton ? "R"
                                                      : "?")
                .arg(s.buttons == Qt::LeftButton ? "" : "*")
                .arg(p.x())
                .arg(p.y())
                .arg(s.doubleClick ? " dbl" : "");
        };
        connect(&b, &GradientButton::mouseDown, this,
                [this, where](auto mouseButton, auto s, auto p) {
                    log << "down " + where(mouseButton, s, p);
                });
        connect(&b, &GradientButton::mouseUp, this,
                [this, where](auto mouseButton, auto s, auto p) {
                    log << "up " + where(mouseButton, s, p);
                });
        connect(&b, &GradientButton::clicked, this, [this] { log << QStringLiteral("click"); });
        connect(&b, &GradientButton::mouseEnter, this, [this] { log << QStringLiteral("enter"); });
        connect(&b, &GradientButton::mouseLeave, this, [this] { log << QStringLiteral("leave"); });
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == &button && e->type() == QEvent::Paint) {
            ++paints;
            log << (button.buttonUp() ? QStringLiteral("paint up") : QStringLiteral("paint down"));
        }
        return false;
    }

    // The log since the last take, without paints unless asked.
    QStringList take(bool withPaints = true)
    {
        QStringList out;
        for (const QString& s : log)
            if (withPaints || !s.startsWith(QLatin1String("paint")))
                out << s;
        log.clear();
        return out;
    }

    int takePaints()
    {
        QCoreApplication::processEvents();
        const int n = paints;
        paints = 0;
        log.clear();
        return n;
    }

    GradientButton& button;
    QStringList log;
    int paints = 0;
};

class GradientButtonInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(300, 200);
        other = new QCheckBox(QStringLiteral("other"), window.get());
        other->setGeometry(200, 150, 80, 20);
        button = new GradientButton(window.get());
        button->move(50, 50);
        button->setBeginColor(kWhite);
        button->setEndColor(kNavy);
        // The window must not come up under the pointer: the platform then announces an
        // enter for the button that no leave ever balances.
        QCursor::setPos(0, 0);
        QCoreApplication::processEvents();
        window->move(20, 20);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        other->setFocus();
        QTest::mouseMove(window.get(), QPoint(5, 5)); // the pointer starts off the button
        QCoreApplication::processEvents();
        rec = std::make_unique<Recorder>(*button);
    }

    // The pointer moves onto the button, as it does before any press.
    void hoverInside()
    {
        QTest::mouseMove(button, inside);
        ASSERT_EQ(rec->take(false), QStringList({"enter"}));
    }

    void TearDown() override
    {
        rec.reset();
        window.reset();
    }

    void expectStoredColours()
    {
        EXPECT_EQ(button->beginColor(), kWhite);
        EXPECT_EQ(button->endColor(), kNavy);
    }

    void expectSwappedColours()
    {
        EXPECT_EQ(button->beginColor(), kNavy);
        EXPECT_EQ(button->endColor(), kWhite);
    }

    // A typed character as the platform delivers it: to the focus widget, passed up unless
    // that widget takes it.
    void type(const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, text, mods);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, text, mods);
    }

    std::unique_ptr<QWidget> window;
    QCheckBox* other = nullptr;
    GradientButton* button = nullptr;
    std::unique_ptr<Recorder> rec;
    const QPoint inside{10, 10};
    const QPoint outside{-20, 10};
};

} // namespace

TEST_F(GradientButtonInput, ConstructorValues)
{
    GradientButton b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    EXPECT_EQ(b.fontColor(), kBlack);
    EXPECT_TRUE(b.tabStop());
    EXPECT_TRUE(b.buttonUp());
    EXPECT_EQ(b.disabledColor(), kGrayText);
    EXPECT_EQ(b.buttonHighlightColor(), kButtonHighlight);
    EXPECT_EQ(b.buttonShadowColor(), kButtonShadow);
    EXPECT_EQ(b.buttonFrameSize(), 1);
    EXPECT_EQ(b.textHighlightColor(), kButtonHighlight);
    EXPECT_EQ(b.textShadowColor(), kButtonShadow);
    EXPECT_EQ(b.beginColor(), kNavy);
    EXPECT_EQ(b.endColor(), kAqua);
    EXPECT_TRUE(b.swapColors());
    EXPECT_TRUE(b.showFocus());
    EXPECT_EQ(b.gradientStyle(), GradientStyle::VerticalCenter);
    EXPECT_EQ(b.textStyle(), TextStyle::Raised);
    EXPECT_EQ(b.textShadeType(), ShadeType::Light);
    EXPECT_EQ(b.preset(), Preset::None);
    EXPECT_EQ(b.justification(), Justification::Center);
    EXPECT_TRUE(b.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST_F(GradientButtonInput, PressAndReleaseInsideClicksAfterTheUpLookIsPainted)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->buttonUp());
    EXPECT_TRUE(button->hasFocus());
    expectSwappedColours();
    QCoreApplication::processEvents();
    // Input already queued when the click comes is handled before the click's handler.
    QMetaObject::invokeMethod(
        rec.get(), [this] { rec->log << QStringLiteral("queued"); }, Qt::QueuedConnection);
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(rec->take(), QStringList({"down L 10,10", "paint down", "queued", "paint up", "click",
                                        "up L* 10,10"}));
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
}

TEST_F(GradientButtonInput, DragOutShowsUpAndBackInShowsDown)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseMove(button, outside);
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    QTest::mouseMove(button, QPoint(-30, 12)); // still outside: nothing more
    QTest::mouseMove(button, inside);
    EXPECT_FALSE(button->buttonUp());
    expectSwappedColours();
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(rec->take(false), QStringList({"down L 10,10", "up L 0,0", "leave", "down L 0,0",
                                             "enter", "click", "up L* 10,10"}));
    expectStoredColours();
}

TEST_F(GradientButtonInput, ReleaseOutsideDoesNotClick)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseMove(button, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    QCoreApplication::processEvents();
    EXPECT_EQ(rec->take(false), QStringList({"down L 10,10", "up L 0,0", "leave", "up L* -20,10"}));
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    // The platform's own leave, arriving once the pointer is free, is not a second leave;
    // moving over the button again afterwards is a plain hover.
    QTest::mouseMove(window.get(), QPoint(5, 5));
    EXPECT_EQ(rec->take(false), QStringList());
    QTest::mouseMove(button, inside);
    EXPECT_EQ(rec->take(false), QStringList({"enter"}));
    EXPECT_TRUE(button->buttonUp());
}

// The same drag through the window system's path: the pointer is grabbed by the pressed
// button, so the platform sends it no enter or leave; the moves decide.
TEST_F(GradientButtonInput, DragThroughTheWindowSystem)
{
    QWindow* w = window->windowHandle();
    ASSERT_NE(w, nullptr);
    const QPoint in = button->mapTo(window.get(), inside);
    const QPoint out = button->mapTo(window.get(), outside);
    QTest::mouseMove(w, in);
    QTest::mousePress(w, Qt::LeftButton, {}, in);
    QTest::mouseMove(w, out);
    EXPECT_TRUE(button->buttonUp());
    QTest::mouseMove(w, in);
    EXPECT_FALSE(button->buttonUp());
    QTest::mouseMove(w, out);
    QTest::mouseRelease(w, Qt::LeftButton, {}, out);
    QCoreApplication::processEvents();
    EXPECT_EQ(rec->take(false),
              QStringList({"enter", "down L 10,10", "up L 0,0", "leave", "down L 0,0", "enter",
                           "up L 0,0", "leave", "up L* -20,10"}));
    expectStoredColours();
    QTest::mouseMove(w, in);
    QTest::mouseRelease(w, Qt::LeftButton, {}, in); // a stray release clicks nothing
    QTest::mousePress(w, Qt::LeftButton, {}, in);
    QTest::mouseRelease(w, Qt::LeftButton, {}, in);
    const QStringList log = rec->take(false);
    EXPECT_EQ(log.count(QStringLiteral("click")), 1) << log.join(QLatin1Char('|')).toStdString();
}

TEST_F(GradientButtonInput, AnotherButtonPressedOutsideDuringADragChangesNothing)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseMove(button, outside);
    rec->take(false);
    QTest::mousePress(button, Qt::RightButton, {}, outside); // the grab brings it here
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    EXPECT_EQ(rec->take(false), QStringList({"down R* -20,10"}));
    QTest::mouseRelease(button, Qt::RightButton, {}, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    EXPECT_EQ(rec->take(false), QStringList({"up R -20,10", "up L* -20,10"}));
    EXPECT_TRUE(button->buttonUp());
}

TEST_F(GradientButtonInput, ReleaseOutsideWithoutAMoveInBetween)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    EXPECT_EQ(rec->take(false), QStringList({"down L 10,10", "up L* -20,10"}));
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
}

TEST_F(GradientButtonInput, RightPressTakesTheFocusAndStaysUp)
{
    hoverInside();
    rec->takePaints();
    QTest::mousePress(button, Qt::RightButton, {}, inside);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    EXPECT_EQ(rec->take(false), QStringList({"down R* 10,10"}));
    EXPECT_EQ(rec->takePaints(), 1);
    QTest::mouseRelease(button, Qt::RightButton, {}, inside);
    EXPECT_EQ(rec->take(false), QStringList({"up R* 10,10"}));
    EXPECT_EQ(rec->takePaints(), 0); // an up button has nothing to restore
}

TEST_F(GradientButtonInput, SecondPressOfADoubleClickDoesNotClick)
{
    hoverInside();
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->buttonUp());
    expectSwappedColours();
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    const QStringList log = rec->take(false);
    EXPECT_EQ(log.count(QStringLiteral("click")), 1);
    EXPECT_TRUE(log.contains(QStringLiteral("down L 10,10 dbl")));
    EXPECT_EQ(log.last(), QStringLiteral("up L* 10,10"));
}

TEST_F(GradientButtonInput, SwapColorsOffNeverExchanges)
{
    hoverInside();
    button->setSwapColors(false);
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->buttonUp());
    expectStoredColours();
    QTest::mouseMove(button, outside);
    QTest::mouseMove(button, inside);
    expectStoredColours();
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    expectStoredColours();
    EXPECT_TRUE(rec->take(false).contains(QStringLiteral("click")));
}

TEST_F(GradientButtonInput, HoverFiresEnterAndLeave)
{
    QTest::mouseMove(button, inside);
    QTest::mouseMove(window.get(), QPoint(5, 5));
    EXPECT_EQ(rec->take(false), QStringList({"enter", "leave"}));
    EXPECT_TRUE(button->buttonUp());
}

TEST_F(GradientButtonInput, EnterClicksUnlessOnKeyPressClearsIt)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_EQ(rec->take(false), QStringList({"click", "click"}));
    expectStoredColours();
    EXPECT_TRUE(button->buttonUp());

    QList<QChar> seen;
    QObject::connect(button, &GradientButton::keyPress, [&](QChar& key) {
        seen << key;
        key = QChar();
    });
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(rec->take(false), QStringList());
    EXPECT_EQ(seen, QList<QChar>({QChar(u'\r')}));
}

TEST_F(GradientButtonInput, SpaceDoesNothing)
{
    button->setFocus();
    rec->takePaints();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(rec->take(false), QStringList());
    EXPECT_EQ(rec->takePaints(), 0);
    EXPECT_TRUE(button->buttonUp());
}

TEST_F(GradientButtonInput, AcceleratorsReachEveryButtonOfTheWindow)
{
    const struct {
        const char* caption;
        const char* typed;
        Qt::KeyboardModifiers mods;
        bool clicks;
    } cases[] = {
        {"&Save", "s", Qt::NoModifier, true},
        {"&Save", "S", Qt::ShiftModifier, true},
        {"&Save", "s", Qt::AltModifier, true},
        {"&Save", "x", Qt::NoModifier, false},
        {"Со&хранить", "х", Qt::NoModifier, true},
        {"Со&хранить", "Х", Qt::ShiftModifier, false},
        {"СО&Хранить", "х", Qt::NoModifier, false},
        {"Save &&Go", "g", Qt::NoModifier, false},
        {"Save &&Go", "&", Qt::NoModifier, false},
        {"Save &&&Go", "g", Qt::NoModifier, true},
        {"&Save", "\x13", Qt::ControlModifier, false},
    };
    for (const auto& c : cases) {
        button->setCaption(QString::fromUtf8(c.caption));
        other->setFocus();
        type(QString::fromUtf8(c.typed), c.mods);
        EXPECT_EQ(rec->take(false).count(QStringLiteral("click")), c.clicks ? 1 : 0)
            << c.caption << " typed " << c.typed;
    }
}

TEST_F(GradientButtonInput, AcceleratorOfTheFocusedButtonAndOfNoFocus)
{
    button->setCaption(QStringLiteral("&Go"));
    button->setFocus();
    type(QStringLiteral("g"));
    EXPECT_EQ(rec->take(false), QStringList({"click"}));
    QApplication::focusWidget()->clearFocus();
    type(QStringLiteral("G"));
    EXPECT_EQ(rec->take(false), QStringList({"click"}));
}

TEST_F(GradientButtonInput, AnEditKeepsItsCharacters)
{
    auto* edit = new QLineEdit(window.get());
    edit->show();
    button->setCaption(QStringLiteral("&Go"));
    edit->setFocus();
    type(QStringLiteral("g"));
    EXPECT_EQ(edit->text(), QStringLiteral("g"));
    EXPECT_EQ(rec->take(false), QStringList());
}

TEST_F(GradientButtonInput, AcceleratorFollowsTheButtonIntoAnotherWindow)
{
    QWidget second;
    second.resize(200, 100);
    button->setCaption(QStringLiteral("&Go"));
    button->setParent(&second);
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    button->show();
    QTest::sendKeyEvent(QTest::Press, window.get(), Qt::Key_G, QStringLiteral("g"), {});
    EXPECT_EQ(rec->take(false), QStringList());
    QTest::sendKeyEvent(QTest::Press, &second, Qt::Key_G, QStringLiteral("g"), {});
    EXPECT_EQ(rec->take(false), QStringList({"click"}));
    button->setParent(window.get()); // back, so the fixture's window deletes it
}

TEST_F(GradientButtonInput, AcceleratorOfAButtonWhosePanelMovesIntoTheWindow)
{
    auto* panel = new QWidget; // built apart, then put into the window, as panels are
    auto* late = new GradientButton(panel);
    late->setCaption(QStringLiteral("&Late"));
    int clicks = 0;
    QObject::connect(late, &GradientButton::clicked, [&] { ++clicks; });
    panel->setParent(window.get());
    panel->show();
    type(QStringLiteral("l"));
    EXPECT_EQ(clicks, 1);
}

TEST_F(GradientButtonInput, DisabledButtonTakesNoInput)
{
    button->setCaption(QStringLiteral("&Go"));
    button->setEnabled(false);
    EXPECT_FALSE(button->acceleratorQuery(QChar(u'g')));
    type(QStringLiteral("g"));
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(rec->take(false), QStringList());
    button->setEnabled(true);
    EXPECT_TRUE(button->acceleratorQuery(QChar(u'g')));
    EXPECT_EQ(rec->take(false), QStringList({"click"}));
}

TEST_F(GradientButtonInput, DisabledWhilePressedGoesBackUp)
{
    hoverInside();
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    ASSERT_FALSE(button->buttonUp());
    button->setEnabled(false);
    EXPECT_TRUE(button->buttonUp());
    expectStoredColours();
    button->setEnabled(true);
    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(rec->take(false).contains(QStringLiteral("click")));
    expectStoredColours();
}

TEST_F(GradientButtonInput, FrameSizeLimits)
{
    const struct {
        QSize size;
        int value;
        int stored;
    } cases[] = {
        {{75, 25}, 8, 1}, {{75, 25}, 7, 7}, {{75, 25}, 0, 0}, {{75, 25}, -4, -4},
        {{75, 16}, 4, 1}, {{75, 16}, 3, 3}, {{16, 75}, 4, 1}, {{16, 75}, 3, 3},
    };
    for (const auto& c : cases) {
        GradientButton b;
        b.resize(c.size);
        b.setButtonFrameSize(c.value);
        EXPECT_EQ(b.buttonFrameSize(), c.stored)
            << c.size.width() << "x" << c.size.height() << " value " << c.value;
    }
}

TEST_F(GradientButtonInput, SettersRepaintOnlyOnARealChange)
{
    GradientButton& b = *button;
    const std::vector<std::pair<const char*, std::function<void()>>> sameValue = {
        {"caption", [&] { b.setCaption(b.caption()); }},
        {"disabled", [&] { b.setDisabledColor(b.disabledColor()); }},
        {"buttonhighlight", [&] { b.setButtonHighlightColor(b.buttonHighlightColor()); }},
        {"buttonshadow", [&] { b.setButtonShadowColor(b.buttonShadowColor()); }},
        {"frame", [&] { b.setButtonFrameSize(b.buttonFrameSize()); }},
        {"texthighlight", [&] { b.setTextHighlightColor(b.textHighlightColor()); }},
        {"textshadow", [&] { b.setTextShadowColor(b.textShadowColor()); }},
        {"begin", [&] { b.setBeginColor(b.beginColor()); }},
        {"end", [&] { b.setEndColor(b.endColor()); }},
        {"style", [&] { b.setGradientStyle(b.gradientStyle()); }},
        {"text", [&] { b.setTextStyle(b.textStyle()); }},
        {"shade", [&] { b.setTextShadeType(b.textShadeType()); }},
        {"just", [&] { b.setJustification(b.justification()); }},
        {"fontcolor", [&] { b.setFontColor(b.fontColor()); }},
        {"swap", [&] { b.setSwapColors(!b.swapColors()); }},
        {"focus", [&] { b.setShowFocus(!b.showFocus()); }},
        {"preset", [&] { b.setPreset(Preset::SunRise); }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> newValue = {
        {"caption", [&] { b.setCaption(QStringLiteral("x")); }},
        {"disabled", [&] { b.setDisabledColor(kRed); }},
        {"buttonhighlight", [&] { b.setButtonHighlightColor(kRed); }},
        {"buttonshadow", [&] { b.setButtonShadowColor(kRed); }},
        {"frame", [&] { b.setButtonFrameSize(2); }},
        {"texthighlight", [&] { b.setTextHighlightColor(kRed); }},
        {"textshadow", [&] { b.setTextShadowColor(kRed); }},
        {"begin", [&] { b.setBeginColor(kRed); }},
        {"end", [&] { b.setEndColor(kRed); }},
        {"style", [&] { b.setGradientStyle(GradientStyle::Elliptic); }},
        {"text", [&] { b.setTextStyle(TextStyle::Inset); }},
        {"shade", [&] { b.setTextShadeType(ShadeType::Heavy); }},
        {"just", [&] { b.setJustification(Justification::Left); }},
        {"fontcolor", [&] { b.setFontColor(kRed); }},
        {"enabled", [&] { b.setEnabled(false); }},
        {"font", [&] { b.setFont(QFont(QStringLiteral("Arial"), 20)); }},
    };
    rec->takePaints();
    for (const auto& [name, set] : sameValue) {
        set();
        EXPECT_EQ(rec->takePaints(), 0) << name;
    }
    for (const auto& [name, set] : newValue) {
        set();
        EXPECT_EQ(rec->takePaints(), 1) << name;
    }
}

TEST_F(GradientButtonInput, FocusRepaintsExceptInDesignMode)
{
    rec->takePaints();
    button->setFocus();
    EXPECT_EQ(rec->takePaints(), 1);
    other->setFocus();
    EXPECT_EQ(rec->takePaints(), 1);
    button->setDesignMode(true);
    rec->takePaints();
    button->setFocus();
    EXPECT_EQ(rec->takePaints(), 0);
    EXPECT_FALSE(button->look().focusRect);
    button->setDesignMode(false);
    EXPECT_TRUE(button->look().focusRect);
}

namespace
{

struct Snapshot {
    PackedColor disabled, buttonHighlight, buttonShadow, textHighlight, textShadow, begin, end,
        fontColor;
    int frame;
    bool swap, focus;
    GradientStyle style;
    TextStyle text;
    ShadeType shade;
    Justification just;
    Preset preset;
    QFont font;

    explicit Snapshot(const GradientButton& b)
        : disabled(b.disabledColor()), buttonHighlight(b.buttonHighlightColor()),
          buttonShadow(b.buttonShadowColor()), textHighlight(b.textHighlightColor()),
          textShadow(b.textShadowColor()), begin(b.beginColor()), end(b.endColor()),
          fontColor(b.fontColor()), frame(b.buttonFrameSize()), swap(b.swapColors()),
          focus(b.showFocus()), style(b.gradientStyle()), text(b.textStyle()),
          shade(b.textShadeType()), just(b.justification()), preset(b.preset()), font(b.font())
    {
    }

    bool operator==(const Snapshot& o) const
    {
        return disabled == o.disabled && buttonHighlight == o.buttonHighlight &&
               buttonShadow == o.buttonShadow && textHighlight == o.textHighlight &&
               textShadow == o.textShadow && begin == o.begin && end == o.end &&
               fontColor == o.fontColor && frame == o.frame && swap == o.swap && focus == o.focus &&
               style == o.style && text == o.text && shade == o.shade && just == o.just &&
               preset == o.preset && font == o.font;
    }
};

} // namespace

TEST(GradientButtonPresets, DoNothingAtRunTime)
{
    GradientButton b;
    const Snapshot before(b);
    b.setPreset(Preset::SunRise);
    EXPECT_TRUE(Snapshot(b) == before);
    EXPECT_EQ(b.preset(), Preset::None);
}

TEST(GradientButtonPresets, StoreTheirValuesInDesignMode)
{
    GradientButton b;
    b.setDesignMode(true);
    b.setButtonFrameSize(3);
    b.setJustification(Justification::Right);
    b.setShowFocus(false);
    b.setPreset(Preset::SunRise);
    EXPECT_EQ(b.preset(), Preset::SunRise);
    EXPECT_EQ(b.disabledColor(), kGray);
    EXPECT_EQ(b.beginColor(), kYellow);
    EXPECT_EQ(b.endColor(), kRed);
    EXPECT_EQ(b.font().pointSize(), 8);
    EXPECT_EQ(b.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(b.font().bold());
    EXPECT_EQ(b.fontColor(), PackedColor(0x000040));
    EXPECT_EQ(b.gradientStyle(), GradientStyle::Horizontal);
    EXPECT_EQ(b.textShadeType(), ShadeType::Heavy);
    EXPECT_EQ(b.textStyle(), TextStyle::Raised);
    EXPECT_EQ(b.textHighlightColor(), PackedColor(0xCFE7E6));
    EXPECT_EQ(b.textShadowColor(), PackedColor(0x0058B0));
    EXPECT_EQ(b.buttonHighlightColor(), kButtonHighlight);
    EXPECT_EQ(b.buttonShadowColor(), kButtonShadow);
    // Not part of a preset.
    EXPECT_EQ(b.buttonFrameSize(), 3);
    EXPECT_EQ(b.justification(), Justification::Right);
    EXPECT_FALSE(b.showFocus());
    EXPECT_TRUE(b.swapColors());

    b.setPreset(Preset::BrassedOff); // the only one that touches swapColors
    EXPECT_FALSE(b.swapColors());
    EXPECT_EQ(b.font().family(), QStringLiteral("Verdana"));
    EXPECT_FALSE(b.font().bold());
    b.setPreset(Preset::Aluminum);
    EXPECT_FALSE(b.swapColors());
    EXPECT_EQ(b.textStyle(), TextStyle::Inset);
    EXPECT_EQ(b.buttonShadowColor(), kBlack);

    const Snapshot before(b);
    b.setPreset(static_cast<Preset>(9)); // outside the table
    EXPECT_TRUE(Snapshot(b) == before);
}
