#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace pagula::test
{

// A cupsd of the test's own: configuration, spool and logs in a temporary folder, listening on
// 127.0.0.1 only, at a free port. Jobs are kept in the spool (queues are stopped, so nothing
// is ever sent to a device): the submitted file and the job's attributes can be read back.
// The daemon is stopped when the object goes.
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
