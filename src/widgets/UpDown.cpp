#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pagula::widgets
{

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setArrowType(b == up_ ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setFixedWidth(15);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { click(true); });
    connect(down_, &QToolButton::clicked, this, [this] { click(false); });
    setFixedSize(15, 21);
}

void UpDown::setAssociate(QLineEdit* edit)
{
    associate_ = edit;
    writeAssociate();
}

void UpDown::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void UpDown::setPosition(int position)
{
    const int p = std::clamp(position, minimum_, maximum_);
    const bool changed = p != position_;
    position_ = p;
    writeAssociate();
    if (changed)
        emit positionChanged(position_);
}

void UpDown::click(bool upArrow)
{
    if (associate_ == nullptr) {
        emit arrowClicked(upArrow);
        return;
    }
    // Take over a number the user typed into the edit before stepping from it.
    bool ok = false;
    const int typed = associate_->text().trimmed().toInt(&ok);
    if (ok)
        position_ = std::clamp(typed, minimum_, maximum_);
    emit arrowClicked(upArrow);
    setPosition(position_ + (upArrow ? increment_ : -increment_));
}

void UpDown::writeAssociate()
{
    if (associate_ == nullptr)
        return;
    const QString text = QString::number(position_);
    if (associate_->text() != text)
        associate_->setText(text); // runs the edit's change handler at once
}

} // namespace pagula::widgets
