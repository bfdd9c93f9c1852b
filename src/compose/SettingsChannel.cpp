#include "compose/SettingsChannel.h"

namespace pagula::compose
{

SettingsChannel::SettingsChannel(CompositionSettings initial) : value_(std::move(initial)) {}

void SettingsChannel::publish(const CompositionSettings& settings)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (settings == value_)
        return;
    value_ = settings;
    version_.fetch_add(1, std::memory_order_release);
}

CompositionSettings SettingsChannel::latest() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return value_;
}

bool SettingsChannel::update(CompositionSettings& into, quint64& seen) const
{
    if (version_.load(std::memory_order_acquire) == seen)
        return false;
    const std::lock_guard<std::mutex> lock(mutex_);
    into = value_;
    seen = version_.load(std::memory_order_relaxed);
    return true;
}

} // namespace pagula::compose
