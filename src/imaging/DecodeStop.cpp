#include "imaging/DecodeStop.h"

#include <atomic>

namespace pagula::imaging
{

namespace
{

std::atomic<bool> g_stopped{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from signal handlers");

} // namespace

void stopDecoding()
{
    g_stopped.store(true, std::memory_order_relaxed);
}

bool decodingStopped()
{
    return g_stopped.load(std::memory_order_relaxed);
}

} // namespace pagula::imaging
