#include "widgets/ErrorReport.h"

#include "common/ErrorText.h"

#include <QMessageBox>

namespace pagula::widgets
{

namespace
{
ErrorReport::Hook& hook()
{
    static ErrorReport::Hook h;
    return h;
}
} // namespace

void ErrorReport::setHook(Hook h)
{
    hook() = std::move(h);
}

void ErrorReport::show(QWidget* parent, const QString& message)
{
    const QString text = common::errorReportText(message);
    if (hook()) {
        hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Pagula"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace pagula::widgets
