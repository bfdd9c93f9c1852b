#pragma once

#include <QProgressBar>

namespace pagula::app
{

// The main window's progress bar `progressBar`. It keeps the range and position a run gives it and
// shows them as ProgressDisplay says: a position past the maximum shows full, an empty range empty.
class ProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    static constexpr int Height = 17;

    explicit ProgressBar(QWidget* parent = nullptr);

    void setRunRange(int minimum, int maximum);
    void setRunPosition(int position);
    int runMinimum() const { return minimum_; }
    int runMaximum() const { return maximum_; }
    int runPosition() const { return position_; }

private:
    void showState();

    int minimum_ = 0;
    int maximum_ = 120;
    int position_ = 0;
};

} // namespace pagula::app
