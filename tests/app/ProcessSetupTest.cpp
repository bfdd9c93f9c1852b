#include "app/ProcessSetup.h"
#include "imaging/Limits.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

TEST(ProcessSetup, TitleDecimalPointAndPictureLimit)
{
    // A user whose locale writes decimal commas.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(QLocale().toString(1.5), QStringLiteral("1,5"));
    QImageReader::setAllocationLimit(0);

    pagula::app::setUpProcess();

    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Pagula"));
    // Only the name is set: a display name would be appended to every window title.
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Pagula"));
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1.5"));
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    EXPECT_STREQ(text, "1.5");
    EXPECT_EQ(QImageReader::allocationLimit(), pagula::imaging::limits::qtAllocationLimitMiB);
    EXPECT_EQ(QImageReader::allocationLimit(), 256);
    // The program's icon on every window, drawn from the menu entry's picture.
    const QIcon icon = QApplication::windowIcon();
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
    const QImage small = icon.pixmap(QSize(64, 64)).toImage();
    EXPECT_EQ(small.pixelColor(32, 2), QColor(0xb6, 0xc4, 0xe7)); // the icon's backdrop
}

TEST(ProcessSetup, QtsOwnButtonsSpeakTheChosenLanguageWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    pagula::app::setUpProcess();

    // What QMessageBox and QFileDialog show for their standard buttons.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Сохранить"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
              QStringLiteral("&Имя файла:"));

    // English chosen: Qt's texts and the program's own follow.
    pagula::app::setUpProcess(pagula::common::Language::English);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "Распечатка Pagula"),
              QStringLiteral("Pagula printout"));
    pagula::app::setUpProcess(pagula::common::Language::Russian);
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "Распечатка Pagula"),
              QStringLiteral("Распечатка Pagula"));
}
