#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace pagula::widgets
{

// A pair of up/down arrows. Bound to an edit (setAssociate), it keeps a position within
// [minimum, maximum] and writes it into the edit as a decimal integer whenever it changes; a
// click first takes over a number typed into the edit. Unbound, it only reports which arrow
// was clicked (arrowClicked), as the cell-size step buttons need.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return associate_; }

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setIncrement(int step) { increment_ = step; }

    int position() const { return position_; }
    // Clamps into the range; writes the associate's text when the position changes, and also
    // when the associate does not show it yet.
    void setPosition(int position);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    // Simulates a click on one arrow (the same path as the mouse).
    void click(bool upArrow);

signals:
    void arrowClicked(bool upArrow);
    void positionChanged(int position);

private:
    void writeAssociate();

    QLineEdit* associate_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int increment_ = 1;
    int position_ = 0;
};

} // namespace pagula::widgets
