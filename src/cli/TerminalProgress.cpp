#include "cli/TerminalProgress.h"

#include "imaging/DecodeStop.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <unistd.h>

namespace pagula::cli
{

namespace
{

std::atomic<int> g_interrupts{0};
std::atomic<bool> g_terminated{false};
std::atomic<bool> g_stop{false};
std::atomic<bool> g_writing{false};
std::atomic<bool> g_endWanted{false};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "set from signal handlers");

extern "C" void onInterrupt(int)
{
    ++g_interrupts;
    g_stop = true;
    // While the outputs are written, Ctrl+C abandons them.
    if (g_writing) {
        g_endWanted = true;
        imaging::stopDecoding();
    }
}

// A request to end: the run stops at the next step and unwinds, so temporary files and
// folders are removed and no output is replaced.
extern "C" void onTerminate(int)
{
    g_terminated = true;
    g_stop = true;
    g_endWanted = true;
    imaging::stopDecoding();
}

} // namespace

TerminalProgress::TerminalProgress(std::FILE* out, bool quiet)
    : out_(out), quiet_(quiet), tty_(isatty(fileno(out)) != 0)
{
    g_interrupts = 0;
    g_terminated = false;
    g_stop = false;
    g_writing = false;
    g_endWanted = false;
    struct sigaction sa = {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sa.sa_handler = onTerminate;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    // The reader of our messages gone (a pipe whose other end closed) ends the run as well.
    sigaction(SIGPIPE, &sa, nullptr);
}

TerminalProgress::~TerminalProgress()
{
    endLine();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    std::signal(SIGPIPE, SIG_IGN);
}

void TerminalProgress::stageStarted(compose::Stage stage)
{
    switch (stage) {
    case compose::Stage::Preparing:
        status_ = QCoreApplication::translate("TerminalProgress", "Подготовка");
        break;
    case compose::Stage::OneSided:
        status_ = QCoreApplication::translate("TerminalProgress", "Формирование");
        break;
    case compose::Stage::Front:
        status_ = QCoreApplication::translate("TerminalProgress", "Лицевая сторона");
        break;
    case compose::Stage::Back:
        status_ = QCoreApplication::translate("TerminalProgress", "Обратная сторона");
        break;
    }
    lastPrinted_ = -1;
}

void TerminalProgress::progressRangeSet(int maximum)
{
    maximum_ = maximum;
}

void TerminalProgress::progressed(int position)
{
    if (quiet_ || maximum_ <= 0 || position == 0)
        return;
    // The position runs one ahead of the cells placed.
    const int done = std::clamp(position - 1, 0, maximum_);
    if (!tty_) {
        // A log gets a line every tenth of the way, not one per cell.
        const int step = std::max(1, maximum_ / 10);
        if (done != maximum_ && done / step == lastPrinted_ / step)
            return;
    }
    if (done == lastPrinted_)
        return;
    lastPrinted_ = done;
    const int width = 30;
    const int filled = maximum_ ? done * width / maximum_ : width;
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('.'));
    printLine(QCoreApplication::translate("TerminalProgress", "%1 [%2] ячейки: %3/%4")
                  .arg(status_, bar)
                  .arg(done)
                  .arg(maximum_));
}

const std::atomic<bool>& TerminalProgress::stopFlag() const
{
    return g_stop;
}

int TerminalProgress::interrupts() const
{
    return g_interrupts;
}

bool TerminalProgress::terminated() const
{
    return g_terminated;
}

void TerminalProgress::startWriting()
{
    g_writing = true;
}

bool TerminalProgress::endWanted()
{
    return g_endWanted;
}

void TerminalProgress::exportProgress(const QString& path, int page, int pageCount,
                                      const QString& unit)
{
    if (quiet_ || (!tty_ && page != pageCount && page != 1))
        return;
    printLine(QCoreApplication::translate("TerminalProgress", "Запись %1: %2 %3 из %4")
                  .arg(path, unit)
                  .arg(page)
                  .arg(pageCount));
}

void TerminalProgress::printLine(const QString& text)
{
    if (tty_) {
        std::fprintf(out_, "\r\033[K%s", qPrintable(text));
        lineOpen_ = true;
    } else {
        std::fprintf(out_, "%s\n", qPrintable(text));
    }
    std::fflush(out_);
}

void TerminalProgress::endLine()
{
    if (lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        lineOpen_ = false;
    }
}

} // namespace pagula::cli
