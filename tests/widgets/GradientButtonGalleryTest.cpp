// Renders every style and state, and the program's own buttons, into one picture for a person
// to look at (gradient-button-gallery.png next to the test binary).
#include "common/Fonts.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::widgets;

namespace
{

struct Sample {
    QString label;
    QSize size;
    std::function<void(GradientButton&)> setUp;
    enum State { Up, Pressed, Focused, Disabled } state = Up;
};

QString styleName(GradientStyle s)
{
    static const char* names[] = {"Horizontal", "Vertical",       "Elliptic",
                                  "Rectangle",  "VerticalCenter", "HorizontalCenter"};
    return QString::fromLatin1(names[int(s)]);
}

std::vector<std::vector<Sample>> gallery()
{
    const QSize def(75, 25), wide(110, 28);
    std::vector<std::vector<Sample>> rows;

    std::vector<Sample> styles;
    for (int s = 0; s <= int(GradientStyle::HorizontalCenter); ++s)
        styles.push_back({styleName(GradientStyle(s)), wide, [s](GradientButton& b) {
                              b.setGradientStyle(GradientStyle(s));
                              b.setCaption(QStringLiteral("&Gradient"));
                          }});
    rows.push_back(styles);

    using T = TextStyle;
    using S = ShadeType;
    std::vector<Sample> texts;
    for (auto [t, s, name] : {std::tuple{T::Normal, S::Light, "Normal"},
                              std::tuple{T::Raised, S::Light, "Raised Light"},
                              std::tuple{T::Raised, S::Heavy, "Raised Heavy"},
                              std::tuple{T::Inset, S::Light, "Inset Light"},
                              std::tuple{T::Inset, S::Heavy, "Inset Heavy"}})
        texts.push_back({QString::fromLatin1(name), wide, [t = t, s = s](GradientButton& b) {
                             b.setTextStyle(t);
                             b.setTextShadeType(s);
                             b.setBeginColor(kWhite);
                             b.setEndColor(kGray);
                             b.setFontColor(kNavy);
                             b.setFont(common::pixelFont(QStringLiteral("Arial"), 15, true));
                             b.setCaption(QStringLiteral("Shade &me"));
                         }});
    rows.push_back(texts);

    using J = Justification;
    std::vector<Sample> justified;
    for (auto [j, name] :
         {std::pair{J::Left, "Left"}, std::pair{J::Center, "Center"}, std::pair{J::Right, "Right"}})
        justified.push_back({QString::fromLatin1(name), wide, [j = j](GradientButton& b) {
                                 b.setJustification(j);
                                 b.setCaption(QStringLiteral("Text"));
                             }});
    for (int frame : {0, 3, 7})
        justified.push_back(
            {QStringLiteral("buttonFrameSize %1").arg(frame), wide, [frame](GradientButton& b) {
                 b.resize(110, 28);
                 b.setButtonFrameSize(frame);
                 b.setButtonHighlightColor(kWhite);
                 b.setButtonShadowColor(kBlack);
                 b.setCaption(QStringLiteral("Frame"));
             }});
    rows.push_back(justified);

    const auto plain = [](GradientButton& b) { b.setCaption(QStringLiteral("&Button")); };
    const auto heavy = [](GradientButton& b) {
        b.setCaption(QStringLiteral("&Button"));
        b.setTextShadeType(ShadeType::Heavy);
    };
    rows.push_back({
        {QStringLiteral("up"), def, plain},
        {QStringLiteral("pressed"), def, plain, Sample::Pressed},
        {QStringLiteral("focused"), def, plain, Sample::Focused},
        {QStringLiteral("disabled"), def, plain, Sample::Disabled},
        {QStringLiteral("disabled heavy"), def, heavy, Sample::Disabled},
        {QStringLiteral("empty, focused"), def, [](GradientButton&) {}, Sample::Focused},
        {QStringLiteral("begin kButtonHighlight"), def,
         [](GradientButton& b) {
             b.setBeginColor(kButtonHighlight);
             b.setCaption(QStringLiteral("System"));
         }},
    });

    std::vector<Sample> presets;
    for (auto [p, name] :
         {std::pair{Preset::None, "None"}, std::pair{Preset::GoldCoast, "GoldCoast"},
          std::pair{Preset::LimeBox, "LimeBox"}, std::pair{Preset::Aluminum, "Aluminum"},
          std::pair{Preset::SunRise, "SunRise"}, std::pair{Preset::BrassedOff, "BrassedOff"}})
        presets.push_back(
            {QString::fromLatin1(name), wide, [p = p, name = name](GradientButton& b) {
                 b.setDesignMode(true);
                 b.setPreset(p);
                 b.setDesignMode(false);
                 b.setCaption(QString::fromLatin1(name));
             }});
    rows.push_back(presets);

    const auto look = [](ButtonLook l, const char* caption) {
        return [l, caption](GradientButton& b) {
            applyButtonLook(b, l);
            b.setCaption(QString::fromUtf8(caption));
        };
    };
    rows.push_back({
        {QStringLiteral("generateButton"),
         {195, 32},
         look(ButtonLook::Generate, "Сформировать документ")},
        {QStringLiteral("generateButton pressed"),
         {195, 32},
         look(ButtonLook::Generate, "Сформировать документ"),
         Sample::Pressed},
        {QStringLiteral("addButton"), {162, 16}, look(ButtonLook::AddFiles, "Добавить >>>")},
        {QStringLiteral("addButton pressed"),
         {162, 16},
         look(ButtonLook::AddFiles, "Добавить >>>"),
         Sample::Pressed},
    });
    rows.push_back({
        {QStringLiteral("tickAllButton"), {85, 16}, look(ButtonLook::Command, "Выделить все")},
        {QStringLiteral("invertTicksButton"), {85, 16}, look(ButtonLook::Command, "Инвертировать")},
        {QStringLiteral("removeTickedButton pressed"),
         {85, 16},
         look(ButtonLook::Command, "Удалить"),
         Sample::Pressed},
        {QStringLiteral("applyProfileOneButton disabled"),
         {85, 16},
         look(ButtonLook::Command, "Применить"),
         Sample::Disabled},
        {QStringLiteral("previousButton"), {50, 24}, look(ButtonLook::StepSymbol, "9")},
        {QStringLiteral("nextButton"), {50, 24}, look(ButtonLook::StepSymbol, ":")},
        {QStringLiteral("nextButton pressed"),
         {50, 24},
         look(ButtonLook::StepSymbol, ":"),
         Sample::Pressed},
        {QStringLiteral("aboutButton"), {17, 33}, look(ButtonLook::About, "?")},
        {QStringLiteral("Отмена"), {110, 15}, look(ButtonLook::Dialog, "Отмена")},
        {QStringLiteral("Ok"), {110, 15}, look(ButtonLook::Dialog, "Ok")},
    });
    return rows;
}

} // namespace

TEST(GradientButtonGallery, RendersEveryStyleAndStateIntoOnePicture)
{
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, QColor(182, 196, 231));
    sheet.setPalette(pal);
    auto* grid = new QGridLayout(&sheet);
    grid->setSpacing(6);
    std::vector<std::pair<GradientButton*, Sample::State>> buttons;
    const auto rows = gallery();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const Sample& s = rows[r][c];
            auto* cell = new QWidget(&sheet);
            auto* v = new QVBoxLayout(cell);
            v->setContentsMargins(0, 0, 0, 0);
            auto* b = new GradientButton(cell);
            b->setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
            b->setFixedSize(s.size);
            s.setUp(*b);
            auto* label = new QLabel(s.label, cell);
            label->setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 10));
            v->addWidget(b, 0, Qt::AlignLeft);
            v->addWidget(label);
            grid->addWidget(cell, int(2 * r), int(c), Qt::AlignTop | Qt::AlignLeft);
            buttons.push_back({b, s.state});
        }
    }
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    if (QWidget* focused = QApplication::focusWidget()) // only the "focused" samples show it
        focused->clearFocus();

    QImage picture(sheet.size(), QImage::Format_RGB32);
    picture.fill(QColor(182, 196, 231));
    {
        QPainter p(&picture);
        sheet.render(&p);
        // Pressed, focused and disabled looks are states of the live button: set each up in
        // turn and paint the button over its place.
        for (auto [b, state] : buttons) {
            if (state == Sample::Up)
                continue;
            const QPoint where = b->mapTo(&sheet, QPoint(0, 0));
            if (state == Sample::Pressed)
                QTest::mousePress(b, Qt::LeftButton, {}, QPoint(3, 3));
            else if (state == Sample::Focused)
                b->setFocus();
            else
                b->setEnabled(false);
            ASSERT_EQ(state == Sample::Pressed, !b->buttonUp());
            p.drawImage(where, b->grab().toImage());
            if (state == Sample::Pressed)
                QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-3, -3));
        }
    }
    const QImage zoomed =
        picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/gradient-button-gallery.png");
    ASSERT_TRUE(zoomed.save(path)) << path.toStdString();
    std::printf("gallery: %s\n", qPrintable(path));
    EXPECT_GT(picture.width(), 600);
}
