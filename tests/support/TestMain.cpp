// Test entry point: a QApplication on the offscreen platform (unless one is chosen), the
// project's font substitutions, the language the locale picks (as in the programs), and
// standard paths redirected to a test location.
#include "common/Fonts.h"
#include "common/Language.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pagula"));
    pagula::common::installFontSubstitutions();
    pagula::common::installTranslations(app, pagula::common::chooseLanguage({}, {}));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
