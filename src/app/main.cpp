#include "common/Fonts.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pagula"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pagula"));
    pagula::installFontSubstitutions();
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8("Распечатка Pagula"));
    window.resize(810, 468);
    window.showMaximized();
    return app.exec();
}
