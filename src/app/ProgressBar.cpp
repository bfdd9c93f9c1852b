#include "app/ProgressBar.h"

#include "app/ProgressDisplay.h"

#include <QTimer>

namespace pagula::app
{

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent), statusTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("progressBar"));
    setFixedHeight(Height);
    setTextVisible(false);
    setAlignment(Qt::AlignCenter);
    statusTimer_->setSingleShot(true);
    statusTimer_->setInterval(StatusSeconds * 1000);
    connect(statusTimer_, &QTimer::timeout, this, &ProgressBar::clearStatus);
    showState();
}

void ProgressBar::showStatus(const QString& text)
{
    status_ = text;
    QString format = text;
    format.replace(QLatin1Char('%'), QStringLiteral("%%")); // the bar's own placeholders
    setFormat(format);
    setTextVisible(!text.isEmpty());
    statusTimer_->start();
}

void ProgressBar::clearStatus()
{
    statusTimer_->stop();
    status_.clear();
    setTextVisible(false);
    resetFormat();
}

void ProgressBar::setRunRange(int minimum, int maximum)
{
    clearStatus(); // a run starts: the bar shows its progress again
    minimum_ = minimum;
    maximum_ = maximum;
    showState();
}

void ProgressBar::setRunPosition(int position)
{
    position_ = position;
    showState();
}

void ProgressBar::showState()
{
    const ProgressDisplay shown = progressDisplay(minimum_, maximum_, position_);
    setRange(shown.minimum, shown.maximum);
    setValue(shown.value);
}

} // namespace pagula::app
