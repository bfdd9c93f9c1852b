#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace pagula::test
{

// A cupsd of the test's own: configuration, spool and logs in a temporary folder, listening on
// 127.0.0.1 only, at a free port. Two kinds of queue: stopped ones keep their jobs in the spool
// (the submitted file and the job's attributes can be read back); printing ones run each job
// through the system's filters into a back end of the test's own that keeps what a printer
// would get (the filtered document and the options it came with). The daemon is stopped when
// the object goes.
class PrivateCups
{
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Empty when the daemon runs; else what went wrong.
    QString error() const { return error_; }
    // "127.0.0.1:port", for CUPS_SERVER.
    QString server() const { return server_; }

    // A stopped queue; with a PPD file (path) when given, raw otherwise. Empty on success.
    QString addQueue(const QString& name, const QString& ppdPath = {});
    // A queue that prints into the keeping back end through the filters its PPD asks for.
    QString addPrintingQueue(const QString& name, const QString& ppdPath);
    // Stops a queue from accepting jobs (cupsreject). Empty on success.
    QString rejectJobs(const QString& name);
    QString cancelJob(int job);

    // What the back end got for a job of a printing queue, once it has it (waits up to 60 s):
    // the document's path (empty when none came) and the job's options ("name=value ...").
    struct Kept {
        QString document;
        QString options;
    };
    Kept kept(int job) const;

    // The spool's job files, 1-based job ids: the document as submitted and the value of a
    // job attribute (keyword or name) from the job's control file.
    QString jobDocument(int job) const;
    QString jobAttribute(int job, const QByteArray& name) const;

    QString folder() const { return dir_.path(); }

private:
    QString run(const QString& program, const QStringList& arguments) const;

    QTemporaryDir dir_;
    QProcess daemon_;
    QString server_;
    QString error_;
};

} // namespace pagula::test
