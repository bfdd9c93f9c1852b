#pragma once

#include "document/ExportResult.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace pagula::docwindow
{

// Runs one export (a save or a print) on a worker thread, so that the window that started it
// keeps painting. The export reports each page through its progress callback; the task
// keeps the last page for the progress display and answers the callback with the cancel
// request. The export must use only thread-safe things (QImage, QPrinter, files).
class ExportTask
{
public:
    using Work = std::function<document::ExportResult(const document::ProgressCallback&)>;

    explicit ExportTask(Work work);
    // Cancels and waits: the export stops at the next page.
    ~ExportTask();
    ExportTask(const ExportTask&) = delete;
    ExportTask& operator=(const ExportTask&) = delete;

    void cancel() { cancelled_ = true; }
    bool isCancelRequested() const { return cancelled_; }
    bool isFinished() const { return finished_; }
    // The page being written (from 1) and the page count; 0 and 0 before the first page.
    int page() const { return page_; }
    int pageCount() const { return pageCount_; }

    // Waits for the end; returns the export's result or rethrows its exception.
    document::ExportResult result();

private:
    void run(const Work& work);

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> page_{0};
    std::atomic<int> pageCount_{0};
    document::ExportResult result_;
    std::exception_ptr failure_;
    std::thread thread_; // last: starts after everything it uses
};

} // namespace pagula::docwindow
