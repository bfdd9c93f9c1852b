#include "widgets/CaptionLayout.h"

#include <gtest/gtest.h>

using namespace pagula::widgets;

TEST(CaptionLayout, DisplayTextDropsAcceleratorMarkers)
{
    const struct {
        const char* caption;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"&Save", "Save"},
        {"Со&хранить", "Сохранить"},
        {"A&&B", "A&B"},
        {"A&&", "A&&"}, // the last character is always kept
        {"Add&", "Add&"},
        {"&", "&"},
        {"&&&x", "&&x"}, // an "&" before "&" stays, the one before x goes
        {"Добавить >>>", "Добавить >>>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(displayText(QString::fromUtf8(c.caption)), QString::fromUtf8(c.expected))
            << c.caption;
}

TEST(CaptionLayout, AcceleratorIsTheCharacterAfterTheLastSingleAmpersand)
{
    const struct {
        const char* caption;
        const char16_t* expected; // nullptr: no accelerator
    } cases[] = {
        {"&Save", u"S"},   {"Do &it &now", u"n"}, {"Со&хранить", u"х"},
        {"A&&B", nullptr}, {"&&", nullptr},       {"&&&x", u"x"},
        {"end&", nullptr}, {"", nullptr},         {"&1 copy", u"1"},
    };
    for (const auto& c : cases) {
        const auto got = acceleratorChar(QString::fromUtf8(c.caption));
        if (!c.expected) {
            EXPECT_FALSE(got.has_value()) << c.caption;
            continue;
        }
        ASSERT_TRUE(got.has_value()) << c.caption;
        EXPECT_EQ(*got, QChar(c.expected[0])) << c.caption;
    }
}

TEST(CaptionLayout, OnlyLatinLettersMatchInEitherCase)
{
    const struct {
        char16_t accelerator, typed;
        bool matches;
    } cases[] = {
        {u'S', u's', true}, {u's', u'S', true},  {u'S', u'S', true},  {u'S', u'x', false},
        {u'х', u'х', true}, {u'х', u'Х', false}, {u'Х', u'х', false}, {u'é', u'É', false},
        {u'1', u'1', true}, {u'[', u'{', false}, {u'@', u'`', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(acceleratorMatches(QChar(c.accelerator), QChar(c.typed)), c.matches)
            << char(c.accelerator) << " " << char(c.typed);
}

TEST(CaptionLayout, OriginFollowsJustificationAndPress)
{
    using J = Justification;
    const struct {
        QSize button, text;
        J justification;
        int pressOffset;
        QPoint expected;
    } cases[] = {
        {{75, 25}, {40, 13}, J::Center, 0, {17, 6}},
        {{75, 25}, {40, 13}, J::Center, 1, {18, 7}},
        {{75, 25}, {40, 13}, J::Left, 0, {2, 6}},
        {{75, 25}, {40, 13}, J::Left, 1, {3, 7}},
        {{75, 25}, {40, 13}, J::Right, 0, {33, 6}},
        // Larger than the button: the halves truncate toward zero (-25 / 2 is -12).
        {{75, 25}, {100, 30}, J::Center, 0, {-12, -2}},
        {{75, 25}, {100, 30}, J::Right, 0, {-27, -2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(captionOrigin(c.button, c.text, c.justification, c.pressOffset), c.expected);
}

TEST(CaptionLayout, PassesOfEachStyleInDrawingOrder)
{
    using P = CaptionPass;
    using T = TextStyle;
    using S = ShadeType;
    const struct {
        T style;
        S shade;
        bool enabled;
        std::vector<std::pair<QPoint, P::Role>> expected;
    } cases[] = {
        {T::Normal, S::Heavy, true, {{{0, 0}, P::Face}}},
        {T::Raised, S::Light, true, {{{-1, -1}, P::Highlight}, {{0, 0}, P::Face}}},
        {T::Raised,
         S::Heavy,
         true,
         {{{-1, -1}, P::Highlight}, {{1, 1}, P::Shadow}, {{0, 0}, P::Face}}},
        {T::Inset, S::Light, true, {{{1, 1}, P::Highlight}, {{0, 0}, P::Face}}},
        {T::Inset,
         S::Heavy,
         true,
         {{{-1, -1}, P::Shadow}, {{1, 1}, P::Highlight}, {{0, 0}, P::Face}}},
        // Disabled: inset whatever the style.
        {T::Normal, S::Light, false, {{{1, 1}, P::Highlight}, {{0, 0}, P::Face}}},
        {T::Raised,
         S::Heavy,
         false,
         {{{-1, -1}, P::Shadow}, {{1, 1}, P::Highlight}, {{0, 0}, P::Face}}},
    };
    for (const auto& c : cases) {
        const auto got = captionPasses(c.style, c.shade, c.enabled);
        ASSERT_EQ(got.size(), c.expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].offset, c.expected[i].first) << i;
            EXPECT_EQ(got[i].role, c.expected[i].second) << i;
        }
    }
}
