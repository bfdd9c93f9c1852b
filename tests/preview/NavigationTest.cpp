#include "preview/Navigation.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace pagula::preview;

namespace
{
int target(const QStringList& rows, int current, NavigateDirection d, NavigateMode m)
{
    return findNavigationTarget(int(rows.size()), current, d, m, [&](int i) {
        return pagula::joblist::JobEntry::fromText(rows.at(i));
    });
}
} // namespace

TEST(Navigation, FindsTheNeighbourOrTheNearestRowWithTheSameCropCode)
{
    const auto next = NavigateDirection::Next;
    const auto prev = NavigateDirection::Previous;
    const auto all = NavigateMode::AllInTurn;
    const auto byType = NavigateMode::ByCropType;
    const QStringList codes{"/p/a.jpg0", "/p/b.jpg1", "(пустая страница)0", "/p/d.jpg1"};
    const QStringList withBlank{"(пустая страница)1", "/p/b.jpg0", "/p/c.jpg2", "x1"};
    const struct {
        const QStringList* rows;
        int current;
        NavigateDirection direction;
        NavigateMode mode;
        int expected;
    } cases[] = {
        {&codes, 0, next, byType, 2},     {&codes, 2, next, byType, -1},
        {&codes, 2, prev, byType, 0},     {&codes, 1, next, byType, 3},
        {&codes, 3, prev, byType, 1},     {&codes, 1, prev, byType, -1},
        {&codes, 0, next, all, 1},        {&codes, 1, next, all, 2},
        {&codes, 3, next, all, -1},       {&codes, 0, prev, all, -1},
        {&codes, 2, prev, all, 1},        {&codes, -1, next, all, -1},
        {&codes, -1, prev, byType, -1},   {&codes, 4, prev, all, -1},
        {&withBlank, 0, next, byType, 3}, {&withBlank, 1, next, byType, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(target(*c.rows, c.current, c.direction, c.mode), c.expected)
            << "from " << c.current << (c.direction == next ? " next " : " previous ")
            << (c.mode == all ? "all" : "by type");
}

TEST(Navigation, EmptyListHasNoTarget)
{
    EXPECT_EQ(target({}, 0, NavigateDirection::Next, NavigateMode::AllInTurn), -1);
}
