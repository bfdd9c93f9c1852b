#pragma once

#include "common/Error.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace pagula::document
{

// A print queue of the system's print service (CUPS), as jobs are sent to it and followed.

using JobOptions = QList<QPair<QByteArray, QByteArray>>;

// The print service would not take a job: the queue does not accept jobs, does not exist, the
// service cannot be reached ... reason is the service's own text.
class PrintRefused : public common::Error
{
public:
    PrintRefused(const QString& queue, const QString& reason)
        : common::Error(
              QStringLiteral("The print queue %1 refused the job: %2").arg(queue, reason)),
          queue_(queue), reason_(reason)
    {
    }
    const QString& queue() const { return queue_; }
    const QString& reason() const { return reason_; }

private:
    QString queue_;
    QString reason_;
};

// Sends a PDF file as one job to `queue` ("name" or "name/instance"): the queue's own default
// options (lpoptions), then `options` over them. Returns the job's id; throws PrintRefused.
int submitPdf(const QString& queue, const QString& pdfPath, const QString& title,
              const JobOptions& options);

// Where a job stands at the print service.
struct JobState {
    enum Stage {
        Unknown,   // the service cannot say (not reachable, job forgotten)
        Waiting,   // pending or held
        Printing,  // processing
        Stopped,   // the queue stopped while on the job
        Cancelled, // by a user or an administrator
        Aborted,   // by the service (a filter or the printer failed)
        Completed,
    };
    Stage stage = Unknown;
    // The service's words on it (the printer's message or the state's reasons); may be empty.
    QString reason;

    bool ended() const { return stage == Cancelled || stage == Aborted || stage == Completed; }
    bool failed() const { return stage == Cancelled || stage == Aborted; }
};

JobState jobState(int job);

} // namespace pagula::document
