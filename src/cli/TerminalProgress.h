#pragma once

#include "compose/CompositionEvents.h"

#include <QString>

#include <atomic>
#include <cstdio>

namespace pagula::cli
{

// The run's progress on a terminal, and its stop flag, which Ctrl+C, SIGTERM and SIGHUP set
// (the walk then stops after the picture in progress; SIGTERM and SIGHUP also stop the picture
// decodes under way).
class TerminalProgress : public compose::CompositionEvents
{
public:
    TerminalProgress(std::FILE* out, bool quiet);
    ~TerminalProgress() override;

    void stageStarted(compose::Stage stage) override;
    void progressRangeSet(int maximum) override;
    void progressed(int position) override;

    // Set from the signal handlers; the run reads it between pictures.
    const std::atomic<bool>& stopFlag() const;
    // How often Ctrl+C was pressed.
    int interrupts() const;
    // Whether SIGTERM or SIGHUP asked the run to end.
    bool terminated() const;
    // From now on the outputs are being written: Ctrl+C abandons them.
    void startWriting();
    // Whether the run is to end with no output changed (SIGTERM, SIGHUP, or Ctrl+C during the
    // writing); the picture decodes under way are then asked to stop as well.
    static bool endWanted();

    // One line about an export: "Writing out.pdf: page 3 of 20".
    void exportProgress(const QString& path, int page, int pageCount,
                        const QString& unit = QStringLiteral("page"));
    void endLine();

private:
    void printLine(const QString& text);

    std::FILE* out_;
    bool quiet_;
    bool tty_;
    QString status_;
    int maximum_ = 0;
    int lastPrinted_ = -1;
    bool lineOpen_ = false;
};

} // namespace pagula::cli
