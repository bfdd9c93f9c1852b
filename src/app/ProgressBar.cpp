#include "app/ProgressBar.h"

#include "app/ProgressDisplay.h"

namespace pagula::app
{

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setObjectName(QStringLiteral("progressBar"));
    setFixedHeight(Height);
    setTextVisible(false);
    showState();
}

void ProgressBar::setRunRange(int minimum, int maximum)
{
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
