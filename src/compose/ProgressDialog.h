#pragma once

#include <QString>

namespace pagula::compose
{

// What the composition uses of the progress dialog.
class ProgressDialog
{
public:
    virtual ~ProgressDialog() = default;
    virtual void setStatus(const QString& text) = 0;
    // Shows the dialog without making it modal; a show from hidden arms the cancel flag.
    virtual void show() = 0;
    virtual void close() = 0;
    virtual void repaint() = 0;
    // The cancel flag: CancelFlag::Armed while the run may go on, CancelFlag::Cancelled once the
    // user asked to stop.
    virtual int cancelFlag() const = 0;
};

// The dialog's cancel flag and its rule: armed (8) when the dialog goes from hidden to shown,
// cleared (0) by "Отмена"; a show while visible does not re-arm it, and it keeps its value
// while hidden.
class CancelFlag
{
public:
    static constexpr int Armed = 8;
    static constexpr int Cancelled = 0;

    void shown(bool wasVisible)
    {
        if (!wasVisible)
            value_ = Armed;
    }
    void cancel() { value_ = Cancelled; }
    int value() const { return value_; }

private:
    int value_ = Cancelled;
};

} // namespace pagula::compose
