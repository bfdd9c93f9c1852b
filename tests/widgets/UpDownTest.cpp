#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using pagula::widgets::UpDown;

TEST(UpDown, BoundWritesItsEditOnceAndClampsToTheRange)
{
    QLineEdit edit;
    UpDown ud;
    ud.setRange(1, 15);
    int changes = 0;
    QObject::connect(&edit, &QLineEdit::textChanged, [&] { ++changes; });
    ud.setAssociate(&edit);
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    ud.setPosition(3);
    EXPECT_EQ(edit.text(), QStringLiteral("3"));
    const int before = changes;
    ud.setPosition(3); // same position, same text: no change reaches the edit
    EXPECT_EQ(changes, before);

    const struct {
        bool up;
        int clicks;
        int expected;
    } steps[] = {{true, 20, 15}, {false, 1, 14}, {false, 30, 1}};
    for (const auto& s : steps) {
        for (int i = 0; i < s.clicks; ++i)
            QTest::mouseClick(s.up ? ud.upButton() : ud.downButton(), Qt::LeftButton);
        EXPECT_EQ(ud.position(), s.expected);
        EXPECT_EQ(edit.text(), QString::number(s.expected));
    }
}

TEST(UpDown, ClickStepsFromATypedNumber)
{
    QLineEdit edit;
    UpDown ud;
    ud.setRange(0, 100);
    ud.setAssociate(&edit);
    ud.setPosition(7);
    edit.setText(QStringLiteral("50"));
    ud.click(true);
    EXPECT_EQ(edit.text(), QStringLiteral("51"));
    edit.setText(QStringLiteral("abc")); // not a number: step from the last position
    ud.click(false);
    EXPECT_EQ(edit.text(), QStringLiteral("50"));
}

TEST(UpDown, UnboundOnlyReportsTheArrow)
{
    UpDown ud;
    QSignalSpy arrows(&ud, &UpDown::arrowClicked);
    QTest::mouseClick(ud.upButton(), Qt::LeftButton);
    QTest::mouseClick(ud.downButton(), Qt::LeftButton);
    ASSERT_EQ(arrows.count(), 2);
    EXPECT_TRUE(arrows.at(0).at(0).toBool());
    EXPECT_FALSE(arrows.at(1).at(0).toBool());
}
