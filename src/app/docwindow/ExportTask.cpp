#include "app/docwindow/ExportTask.h"

namespace pagula::docwindow
{

ExportTask::ExportTask(Work work) : thread_([this, work = std::move(work)] { run(work); }) {}

ExportTask::~ExportTask()
{
    cancel();
    if (thread_.joinable())
        thread_.join();
}

void ExportTask::run(const Work& work)
{
    try {
        result_ = work([this](int page, int count) {
            page_ = page;
            pageCount_ = count;
            return !cancelled_;
        });
    } catch (...) {
        failure_ = std::current_exception();
    }
    finished_ = true;
}

document::ExportResult ExportTask::result()
{
    if (thread_.joinable())
        thread_.join();
    if (failure_)
        std::rethrow_exception(failure_);
    return result_;
}

} // namespace pagula::docwindow
