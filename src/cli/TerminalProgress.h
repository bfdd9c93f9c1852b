#pragma once

#include "compose/CompositionHost.h"
#include "compose/ProgressDialog.h"

#include <QString>
#include <cstdio>

namespace pagula::cli
{

// The run's progress bar, status line and messages on a terminal, and its cancel flag, which
// Ctrl+C, SIGTERM and SIGHUP clear (the walk then stops after the picture in progress).
class TerminalProgress : public compose::CompositionHost, public compose::ProgressDialog
{
public:
    TerminalProgress(std::FILE* out, bool quiet);
    ~TerminalProgress() override;

    // CompositionHost
    void setProgressRange(int minimum, int maximum) override;
    void setProgressPosition(int position) override;
    void repaintProgress() override;
    void processEvents() override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;

    // ProgressDialog
    void setStatus(const QString& text) override;
    void show() override;
    void close() override;
    void repaint() override {}
    int cancelFlag() const override;

    // How often Ctrl+C was pressed.
    int interrupts() const;
    // Whether SIGTERM or SIGHUP asked the run to end.
    bool terminated() const;
    bool failed() const { return failed_; }
    const QString& failure() const { return failure_; }

    // One line about an export: "Writing out.pdf: page 3 of 20".
    void exportProgress(const QString& path, int page, int pageCount,
                        const QString& unit = QStringLiteral("page"));
    void endLine();

private:
    void printLine(const QString& text);

    std::FILE* out_;
    bool quiet_;
    bool tty_;
    bool visible_ = false;
    compose::CancelFlag flag_;
    QString status_;
    int maximum_ = 0;
    int position_ = 0;
    int lastPrinted_ = -1;
    bool lineOpen_ = false;
    bool failed_ = false;
    QString failure_;
};

} // namespace pagula::cli
