#pragma once

#include "compose/CompositionSettings.h"

#include <QtGlobal>

#include <atomic>
#include <mutex>

namespace pagula::compose
{

// The newest settings of a run, passed from the thread where the user changes them to the
// thread that composes. Publishing and reading may happen on any threads at once.
class SettingsChannel
{
public:
    explicit SettingsChannel(CompositionSettings initial);

    // Values that differ from the last published ones become the newest.
    void publish(const CompositionSettings& settings);
    CompositionSettings latest() const;
    // Copies the newest values into `into` when they changed since version `seen`; cheap
    // otherwise. Returns whether anything was copied.
    bool update(CompositionSettings& into, quint64& seen) const;

private:
    mutable std::mutex mutex_;
    CompositionSettings value_;
    std::atomic<quint64> version_{0};
};

// The settings as a run sees them at each step: its starting values, then whatever the
// channel (when there is one) brings.
class SettingsView
{
public:
    SettingsView(CompositionSettings initial, const SettingsChannel* channel)
        : current_(std::move(initial)), channel_(channel)
    {
    }

    const CompositionSettings& now()
    {
        if (channel_)
            channel_->update(current_, seen_);
        return current_;
    }

private:
    CompositionSettings current_;
    const SettingsChannel* channel_;
    quint64 seen_ = 0;
};

} // namespace pagula::compose
