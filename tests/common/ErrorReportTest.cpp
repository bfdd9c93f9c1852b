#include "widgets/ErrorReport.h"
#include "common/ErrorText.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace pagula;

TEST(ErrorReportText, AppendsAFullStopAfterCharactersAboveTheDot)
{
    const struct {
        const char* message;
        const char* text;
    } cases[] = {
        {"'64,5' is not a valid floating point value",
         "'64,5' is not a valid floating point value."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},         // '!' is below '.'
        {"ends in '", "ends in '"}, // '\'' is below '.'
        {"number 5", "number 5."},
        {"slash/", "slash/."},
        {"", ""},
        {"Ошибка", "Ошибка."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::errorReportText(QString::fromUtf8(c.message)), QString::fromUtf8(c.text));
    // A name of any length in a message still leaves a box that shows its start and its end.
    const QString longName = QStringLiteral("Cannot open file /") +
                             QString(100000, QLatin1Char('x')) +
                             QStringLiteral(": line 1 is too long");
    const QString shown = common::errorReportText(longName);
    EXPECT_EQ(shown.size(), common::maxErrorReportLength + 1);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Cannot open file /xxx")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("xxx: line 1 is too long.")));
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
}

TEST(ErrorReport, RunGuardedReportsOnceAndGoesOn)
{
    QStringList shown;
    widgets::ErrorReport::setHook([&](const QString& t) { shown << t; });
    int after = 0;
    EXPECT_FALSE(widgets::runGuarded(nullptr, [&] {
        throw common::Error(QStringLiteral("'' is not a valid integer value"));
        ++after;
    }));
    EXPECT_TRUE(widgets::runGuarded(nullptr, [&] { ++after; }));
    widgets::ErrorReport::setHook({});
    EXPECT_EQ(shown, QStringList{QStringLiteral("'' is not a valid integer value.")});
    EXPECT_EQ(after, 1);
}

TEST(ErrorReport, MessageBoxHasStopIconOkAndTitle)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Pagula"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->text(), QStringLiteral("Cannot open file /tmp/x."));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        seen = true;
        box->accept();
    });
    widgets::ErrorReport::show(nullptr, QStringLiteral("Cannot open file /tmp/x"));
    EXPECT_TRUE(seen);
}
