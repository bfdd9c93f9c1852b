#include "imaging/MemoryBudget.h"

#include "imaging/ImageIO.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace pagula::imaging
{

namespace
{

constexpr qint64 MiB = 1024 * 1024;

} // namespace

qint64 MemoryBudget::defaultBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    const qint64 ram = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 4096 * MiB;
    qint64 budget = std::min(ram / 4, 1024 * MiB);
    // Under a limit on the address space (ulimit -v) the program's code, libraries and threads
    // take their share first.
    struct rlimit limit {
    };
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        budget = std::min(budget, qint64(limit.rlim_cur / 4));
    return budget;
}

MemoryBudget& MemoryBudget::process()
{
    static MemoryBudget budget(defaultBytes());
    return budget;
}

qint64 MemoryBudget::inUse() const
{
    const std::lock_guard lock(mutex_);
    return used_;
}

MemoryBudget::Reservation MemoryBudget::reserve(qint64 bytes, const QString& picture)
{
    bytes = std::max<qint64>(bytes, 0);
    if (bytes > total_)
        throw ImageError(
            QStringLiteral("Picture %1 needs %2 MiB to decode, more than the %3 MiB that all "
                           "pictures decoded at once may take")
                .arg(picture)
                .arg((bytes + MiB - 1) / MiB)
                .arg(total_ / MiB));
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return used_ + bytes <= total_; });
    used_ += bytes;
    return Reservation(this, bytes);
}

void MemoryBudget::release(qint64 bytes)
{
    {
        const std::lock_guard lock(mutex_);
        used_ -= bytes;
    }
    freed_.notify_all();
}

MemoryBudget::Reservation::Reservation(Reservation&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0))
{
}

MemoryBudget::Reservation& MemoryBudget::Reservation::operator=(Reservation&& other) noexcept
{
    if (this != &other) {
        if (budget_)
            budget_->release(bytes_);
        budget_ = std::exchange(other.budget_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

MemoryBudget::Reservation::~Reservation()
{
    if (budget_)
        budget_->release(bytes_);
}

} // namespace pagula::imaging
