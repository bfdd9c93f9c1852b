#include "document/PrintQueue.h"

#include <cups/cups.h>

#include <QStringList>

#include <memory>

namespace pagula::document
{

namespace
{

QString lastError()
{
    const char* text = cupsLastErrorString();
    return text && *text ? QString::fromUtf8(text) : QStringLiteral("unknown error");
}

struct DestsDeleter {
    int count;
    void operator()(cups_dest_t* dests) const { cupsFreeDests(count, dests); }
};

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

} // namespace

int submitPdf(const QString& queue, const QString& pdfPath, const QString& title,
              const JobOptions& options)
{
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = queue.section(QLatin1Char('/'), 1).toUtf8();
    if (name.isEmpty())
        throw PrintRefused(queue, QStringLiteral("no printer chosen"));

    // The queue's saved defaults first, so that what the user set for it with lpoptions holds
    // where this job does not say otherwise.
    int count = 0;
    cups_option_t* merged = nullptr;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    const std::unique_ptr<cups_dest_t, DestsDeleter> destOwner(dest, DestsDeleter{1});
    if (!dest)
        throw PrintRefused(queue, lastError());
    for (int i = 0; i < dest->num_options; ++i)
        count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &merged);
    for (const auto& [key, value] : options)
        count = cupsAddOption(key.constData(), value.constData(), count, &merged);

    const int job = cupsPrintFile(name.constData(), pdfPath.toLocal8Bit().constData(),
                                  title.toUtf8().constData(), count, merged);
    const QString error = job == 0 ? lastError() : QString();
    cupsFreeOptions(count, merged);
    if (job == 0)
        throw PrintRefused(queue, error);
    return job;
}

JobState jobState(int job)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char* const wanted[] = {"job-state", "job-state-reasons",
                                         "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    // cupsDoRequest takes the request over.
    const std::unique_ptr<ipp_t, IppDeleter> response(
        cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    JobState state;
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        state.reason = lastError();
        return state;
    }
    if (ipp_attribute_t* a = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM)) {
        switch (ippGetInteger(a, 0)) {
        case IPP_JSTATE_PENDING:
        case IPP_JSTATE_HELD:
            state.stage = JobState::Waiting;
            break;
        case IPP_JSTATE_PROCESSING:
            state.stage = JobState::Printing;
            break;
        case IPP_JSTATE_STOPPED:
            state.stage = JobState::Stopped;
            break;
        case IPP_JSTATE_CANCELED:
            state.stage = JobState::Cancelled;
            break;
        case IPP_JSTATE_ABORTED:
            state.stage = JobState::Aborted;
            break;
        case IPP_JSTATE_COMPLETED:
            state.stage = JobState::Completed;
            break;
        default:
            break;
        }
    }
    if (ipp_attribute_t* a =
            ippFindAttribute(response.get(), "job-printer-state-message", IPP_TAG_TEXT)) {
        state.reason = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    }
    if (state.reason.isEmpty()) {
        if (ipp_attribute_t* a =
                ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_KEYWORD)) {
            QStringList reasons;
            for (int i = 0; i < ippGetCount(a); ++i) {
                const QString r = QString::fromUtf8(ippGetString(a, i, nullptr));
                if (r != QLatin1String("none"))
                    reasons << r;
            }
            state.reason = reasons.join(QStringLiteral(", "));
        }
    }
    return state;
}

} // namespace pagula::document
