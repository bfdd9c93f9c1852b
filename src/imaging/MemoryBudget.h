#pragma once

#include <QString>
#include <QtGlobal>

#include <condition_variable>
#include <mutex>

namespace pagula::imaging
{

// The memory that the picture decodes running at once may take together. A decode reserves
// the bytes it is estimated to need before it starts and gives them back when it ends; while
// the budget is taken, it waits. A picture that needs more than the whole budget is refused.
class MemoryBudget
{
public:
    explicit MemoryBudget(qint64 bytes) : total_(bytes) {}

    // The process's budget: a quarter of the machine's memory (or of the address space a limit
    // allows), at most 1 GiB.
    static MemoryBudget& process();
    static qint64 defaultBytes();

    qint64 total() const { return total_; }
    qint64 inUse() const;

    // Holds `bytes` of the budget while it lives.
    class Reservation
    {
    public:
        Reservation() = default;
        Reservation(Reservation&& other) noexcept;
        Reservation& operator=(Reservation&& other) noexcept;
        ~Reservation();

    private:
        friend class MemoryBudget;
        Reservation(MemoryBudget* budget, qint64 bytes) : budget_(budget), bytes_(bytes) {}
        MemoryBudget* budget_ = nullptr;
        qint64 bytes_ = 0;
    };

    // Waits until `bytes` fit beside what the other decodes hold, and reserves them. Throws
    // ImageError naming `picture` when they exceed the whole budget.
    Reservation reserve(qint64 bytes, const QString& picture);

private:
    void release(qint64 bytes);

    const qint64 total_;
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    qint64 used_ = 0;
};

} // namespace pagula::imaging
