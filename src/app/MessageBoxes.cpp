#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace pagula::app
{

namespace
{
MessageBoxes::Hook& hook()
{
    static MessageBoxes::Hook h;
    return h;
}

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void MessageBoxes::setHook(Hook h)
{
    hook() = std::move(h);
}

QString MessageBoxes::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void MessageBoxes::show(QWidget* parent, MessageKind kind, const QString& text)
{
    const QString shown = displayText(text);
    if (hook()) {
        hook()(kind, shown);
        return;
    }
    QMessageBox box(iconOf(kind), QStringLiteral("Pagula"), shown, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace pagula::app
