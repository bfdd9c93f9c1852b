#include "app/DialogParts.h"

#include "app/BevelPanel.h"
#include "common/Fonts.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace pagula::app
{

namespace
{
constexpr int HeaderHeight = 18;
constexpr QSize ButtonSize(110, 15);
} // namespace

QColor dialogBackground()
{
    return QColor(182, 196, 231);
}

QColor dialogHeaderColour()
{
    return QColor(210, 219, 240);
}

void setUpBorderlessDialog(QWidget& dialog, QSize client, const QString& windowText)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog.setWindowTitle(windowText);
    dialog.setFixedSize(client);
    dialog.setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = dialog.palette();
    pal.setColor(QPalette::Window, dialogBackground());
    dialog.setPalette(pal);
    dialog.setAutoFillBackground(true);
}

BevelPanel* addDialogPanel(QWidget& dialog, const char* name)
{
    auto* panel = new BevelPanel(&dialog);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setColor(dialogBackground());
    panel->setGeometry(0, 0, dialog.width(), dialog.height());
    return panel;
}

BevelPanel* addHeaderStrip(BevelPanel& panel, const char* name, const QString& caption)
{
    auto* header = new BevelPanel(&panel);
    header->setObjectName(QString::fromLatin1(name));
    header->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::Lowered);
    header->setColor(dialogHeaderColour());
    QFont bold = panel.font();
    bold.setBold(true);
    header->setFont(bold);
    header->setCaption(caption);
    const int d = panel.bevelDepth();
    header->setGeometry(d, d, panel.width() - 2 * d, HeaderHeight);
    return header;
}

widgets::GradientButton* addDialogButton(BevelPanel& panel, const char* name,
                                         const QString& caption, int y)
{
    auto* button = new widgets::GradientButton(&panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setCaption(caption);
    widgets::applyButtonLook(*button, widgets::ButtonLook::Dialog);
    button->setGeometry((panel.width() - ButtonSize.width()) / 2, y, ButtonSize.width(),
                        ButtonSize.height());
    return button;
}

void centreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           screen->availableGeometry()));
}

} // namespace pagula::app
