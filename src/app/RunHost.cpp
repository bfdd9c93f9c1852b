#include "app/RunHost.h"

#include "app/MessageBoxes.h"
#include "app/ProgressBar.h"

#include <QCoreApplication>

namespace pagula::app
{

void RunHost::setProgressRange(int minimum, int maximum)
{
    bar_.setRunRange(minimum, maximum);
}

void RunHost::setProgressPosition(int position)
{
    bar_.setRunPosition(position);
}

void RunHost::repaintProgress()
{
    bar_.repaint();
}

void RunHost::processEvents()
{
    QCoreApplication::processEvents();
}

void RunHost::showError(const QString& text)
{
    MessageBoxes::show(&window_, MessageKind::Error, text);
}

void RunHost::showMessage(const QString& text)
{
    MessageBoxes::show(&window_, MessageKind::Plain, text);
}

void RunHost::showInformation(const QString& text)
{
    MessageBoxes::show(&window_, MessageKind::Information, text);
}

} // namespace pagula::app
