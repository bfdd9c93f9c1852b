#pragma once

#include <QProgressBar>
#include <QString>

class QTimer;

namespace pagula::app
{

// The main window's progress bar `progressBar`. It keeps the range and position a run gives it and
// shows them as ProgressDisplay says: a position past the maximum shows full, an empty range empty.
// Between runs it is also the window's status line: a short message shows in the bar until the
// next run or for StatusSeconds.
class ProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    static constexpr int Height = 17;
    static constexpr int StatusSeconds = 10;

    explicit ProgressBar(QWidget* parent = nullptr);

    void setRunRange(int minimum, int maximum);
    void setRunPosition(int position);
    int runMinimum() const { return minimum_; }
    int runMaximum() const { return maximum_; }
    int runPosition() const { return position_; }

    void showStatus(const QString& text);
    // The message shown; empty when none.
    QString statusText() const { return status_; }

private:
    void showState();
    void clearStatus();

    int minimum_ = 0;
    int maximum_ = 120;
    int position_ = 0;
    QString status_;
    QTimer* statusTimer_;
};

} // namespace pagula::app
