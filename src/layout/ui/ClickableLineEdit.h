#pragma once

#include <QLineEdit>

namespace pagula::layout
{

// An edit that reports a left-button click, as the read-only maximum edits need.
class ClickableLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace pagula::layout
